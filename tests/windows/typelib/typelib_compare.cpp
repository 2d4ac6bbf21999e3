// Reads the type library embedded in Vantrel.dll through ITypeLib/ITypeInfo
// and compares it with the automation member tables that the portable
// runtime dispatches through: classes and their order, interface names and
// flags, and per member the name, slot order, dispid, accessors, hidden flag,
// type, and every parameter's name, type, optional flag, default and
// by-reference flag. Every class, interface and member must also carry a help
// string. Prints one DIFF line per difference; exit 0 when none.
//
// usage: typelib_compare.exe PATH\Vantrel.dll [--dump]
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "automation/bindings/invoke.hpp"
#include "automation/coercion.hpp"
#include "automation/text.hpp"

namespace {

using namespace vantrel::automation;

int g_diffs = 0;

std::string Utf8(std::u16string_view text) { return ToUtf8(text); }
std::string Utf8(const wchar_t* text) {
  return text ? ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text))) : std::string();
}

template <class... Args>
void Diff(const std::string& where, const char* format, Args... args) {
  ++g_diffs;
  std::printf("DIFF %s: ", where.c_str());
  std::printf(format, args...);
  std::printf("\n");
}

// A type as the member tables describe it, read from a type description.
struct TypeView {
  DeclaredType type;
  bool byRef = false;
  bool known = true;
};

std::string NameOfRef(ITypeInfo* info, HREFTYPE ref) {
  ITypeInfo* target = nullptr;
  if (FAILED(info->GetRefTypeInfo(ref, &target))) return {};
  BSTR name = nullptr;
  target->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  std::string result = Utf8(name);
  SysFreeString(name);
  target->Release();
  return result;
}

// The help string of a member (or of the type itself for MEMBERID_NIL); a
// DIFF when there is none, the text printed with --dump.
void CheckHelp(ITypeInfo* info, MEMBERID id, const std::string& where, bool dump) {
  BSTR help = nullptr;
  info->GetDocumentation(id, nullptr, &help, nullptr, nullptr);
  const std::string text = Utf8(help);
  SysFreeString(help);
  if (text.empty()) Diff(where, "has no help string");
  if (dump) std::printf("    help: %s\n", text.c_str());
}

TypeView ViewOf(ITypeInfo* info, const TYPEDESC& desc) {
  TypeView view;
  const TYPEDESC* t = &desc;
  if (t->vt == VT_PTR) {
    const TYPEDESC* inner = t->lptdesc;
    if (inner->vt == VT_PTR && inner->lptdesc->vt == VT_USERDEFINED) {
      view.byRef = true;  // _X** of a Set accessor
      t = inner;
    } else if (inner->vt != VT_USERDEFINED) {
      view.byRef = true;  // BSTR*, VARIANT*
      t = inner;
    }
  }
  switch (t->vt) {
    case VT_I2: view.type.kind = TypeKind::Integer; break;
    case VT_I4: view.type.kind = TypeKind::Long; break;
    case VT_BOOL: view.type.kind = TypeKind::Boolean; break;
    case VT_DATE: view.type.kind = TypeKind::Date; break;
    case VT_BSTR: view.type.kind = TypeKind::String; break;
    case VT_VARIANT: view.type.kind = TypeKind::Variant; break;
    case VT_UNKNOWN: view.type.kind = TypeKind::Enumerator; break;
    case VT_PTR:
      if (t->lptdesc->vt == VT_USERDEFINED) {
        const std::string name = NameOfRef(info, t->lptdesc->hreftype);
        const ClassInfo* cls = name.size() > 1 ? FindClass(FromUtf8(name.substr(1))) : nullptr;
        view.type.kind = TypeKind::Object;
        if (cls) view.type.objectClass = cls->id; else view.known = false;
      } else {
        view.known = false;
      }
      break;
    default: view.known = false;
  }
  return view;
}

const char* KindName(TypeKind k) {
  switch (k) {
    case TypeKind::Void: return "Void";
    case TypeKind::Integer: return "Integer";
    case TypeKind::Long: return "Long";
    case TypeKind::Boolean: return "Boolean";
    case TypeKind::Date: return "Date";
    case TypeKind::String: return "String";
    case TypeKind::Variant: return "Variant";
    case TypeKind::Object: return "Object";
    case TypeKind::Enumerator: return "Enumerator";
  }
  return "?";
}

std::string TypeText(const DeclaredType& t) {
  std::string text = KindName(t.kind);
  if (t.kind == TypeKind::Object) text += " " + Utf8(ClassOf(t.objectClass).name);
  return text;
}

// One accessor (or the method) of a member, as the type library has it.
struct Accessor {
  INVOKEKIND invkind;
  std::vector<std::string> names;  // member name, then parameter names
  std::vector<ELEMDESC> params;    // copies; the descriptions stay alive with `desc`
  FUNCDESC* desc;
};

// The default value of a type-library parameter, converted to the declared
// type, as text for comparison and messages.
std::string TypelibDefault(const PARAMDESC& p, TypeKind kind) {
  if (!(p.wParamFlags & PARAMFLAG_FHASDEFAULT) || p.pparamdescex == nullptr) return "(none)";
  VARIANT value;
  VariantInit(&value);
  Variant converted;
  VARIANT& source = p.pparamdescex->varDefaultValue;
  const VARTYPE target = kind == TypeKind::Integer ? VT_I2
                         : kind == TypeKind::Long  ? VT_I4
                         : kind == TypeKind::Boolean ? VT_BOOL
                         : kind == TypeKind::Date    ? VT_DATE
                                                     : VT_BSTR;
  if (FAILED(VariantChangeType(&value, &source, 0, target))) return "(unconvertible)";
  std::string text;
  switch (target) {
    case VT_I2: text = std::to_string(V_I2(&value)); break;
    case VT_I4: text = std::to_string(V_I4(&value)); break;
    case VT_BOOL: text = V_BOOL(&value) ? "True" : "False"; break;
    case VT_DATE: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.9f", V_DATE(&value));
      text = buf;
      break;
    }
    default: text = "\"" + Utf8(V_BSTR(&value)) + "\"";
  }
  VariantClear(&value);
  return text;
}

std::string TableDefault(const ParamInfo& p) {
  if (!p.defaultValue) return "(none)";
  const Variant& v = *p.defaultValue;
  switch (p.type.kind) {
    case TypeKind::Integer: return std::to_string(ToInteger(v));
    case TypeKind::Long: return std::to_string(ToLong(v));
    case TypeKind::Boolean: return ToBoolean(v) ? "True" : "False";
    case TypeKind::Date: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.9f", ToDate(v).value);
      return buf;
    }
    default: return "\"" + Utf8(ToString(v)) + "\"";
  }
}

void CompareParams(const std::string& where, ITypeInfo* info, const Accessor& a, const MemberInfo& m, bool dump) {
  // Parameters a caller passes: all but the retval.
  std::vector<size_t> passed;
  for (size_t j = 0; j < a.params.size(); ++j)
    if (!(a.params[j].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)) passed.push_back(j);
  if (passed.size() != m.params.size()) {
    Diff(where, "%zu parameters in the type library, %zu in the member table", passed.size(), m.params.size());
    return;
  }
  for (size_t k = 0; k < passed.size(); ++k) {
    const ELEMDESC& e = a.params[passed[k]];
    const ParamInfo& p = m.params[k];
    const std::string name = passed[k] + 1 < a.names.size() ? a.names[passed[k] + 1] : "";
    const std::string at = where + "(" + Utf8(p.name) + ")";
    const TypeView view = ViewOf(info, e.tdesc);
    const bool optional = (e.paramdesc.wParamFlags & PARAMFLAG_FOPT) != 0;
    const std::string libDefault = TypelibDefault(e.paramdesc, p.type.kind);
    std::string tableDefault = TableDefault(p);
    // An optional String without declared default reads as "" (sKey); the
    // type library states that empty default explicitly.
    if (p.optional && !p.defaultValue && p.type.kind == TypeKind::String) tableDefault = "\"\"";
    if (dump)
      std::printf("    param %s %s%s%s default %s\n", name.c_str(), TypeText(view.type).c_str(),
                  view.byRef ? " byref" : "", optional ? " optional" : "", libDefault.c_str());
    if (name != Utf8(p.name)) Diff(at, "named '%s' in the type library", name.c_str());
    if (!view.known || !(view.type == p.type))
      Diff(at, "type %s in the type library, %s in the member table", TypeText(view.type).c_str(),
           TypeText(p.type).c_str());
    if (view.byRef != p.byRef) Diff(at, "by-reference %d in the type library, %d in the member table", view.byRef, p.byRef);
    if (optional != p.optional) Diff(at, "optional %d in the type library, %d in the member table", optional, p.optional);
    if (optional && libDefault != tableDefault)
      Diff(at, "default %s in the type library, %s in the member table", libDefault.c_str(), tableDefault.c_str());
  }
}

// The member's type as the type library gives it: a property's Get result,
// or a method's result (Void without retval).
DeclaredType ResultType(ITypeInfo* info, const Accessor& a, bool& known) {
  known = true;
  for (const ELEMDESC& e : a.params)
    if (e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
      TYPEDESC inner = *e.tdesc.lptdesc;  // retval parameters are pointers to the result
      const TypeView view = ViewOf(info, inner);
      known = view.known;
      return view.type;
    }
  return DeclaredType{TypeKind::Void};
}

void CompareClass(ITypeLib* lib, UINT index, const ClassInfo& cls, bool dump) {
  const std::string cname = Utf8(cls.name);
  ITypeInfo* coclass = nullptr;
  if (FAILED(lib->GetTypeInfo(index, &coclass))) {
    Diff(cname, "no type information at position %u", index);
    return;
  }
  BSTR name = nullptr;
  coclass->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  if (Utf8(name) != cname) Diff(cname, "coclass at its position is '%s'", Utf8(name).c_str());
  SysFreeString(name);
  TYPEATTR* attr = nullptr;
  coclass->GetTypeAttr(&attr);
  if (attr->typekind != TKIND_COCLASS) Diff(cname, "is not a coclass");
  if (!(attr->wTypeFlags & TYPEFLAG_FCANCREATE)) Diff(cname, "is not creatable");
  if (attr->wTypeFlags & TYPEFLAG_FHIDDEN) Diff(cname, "coclass is hidden");
  coclass->ReleaseTypeAttr(attr);
  CheckHelp(coclass, MEMBERID_NIL, cname, dump);

  HREFTYPE ref = 0;
  ITypeInfo* dispatch = nullptr;
  ITypeInfo* vtable = nullptr;
  if (FAILED(coclass->GetRefTypeOfImplType(0, &ref)) || FAILED(coclass->GetRefTypeInfo(ref, &dispatch))) {
    Diff(cname, "has no default interface");
    coclass->Release();
    return;
  }
  INT implFlags = 0;
  coclass->GetImplTypeFlags(0, &implFlags);
  if (!(implFlags & IMPLTYPEFLAG_FDEFAULT)) Diff(cname, "first interface is not the default");
  coclass->Release();

  dispatch->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  const std::string iname = Utf8(name);
  SysFreeString(name);
  if (iname != "_" + cname) Diff(cname, "default interface is '%s'", iname.c_str());
  CheckHelp(dispatch, MEMBERID_NIL, iname, dump);
  dispatch->GetTypeAttr(&attr);
  WORD flags = attr->wTypeFlags;
  dispatch->ReleaseTypeAttr(attr);
  // The vtable half of the dual interface lists the members without IDispatch's.
  if (FAILED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) || FAILED(dispatch->GetRefTypeInfo(ref, &vtable))) {
    Diff(cname, "interface is not dual");
    dispatch->Release();
    return;
  }
  dispatch->Release();

  vtable->GetTypeAttr(&attr);
  const UINT funcs = attr->cFuncs;
  flags |= attr->wTypeFlags;  // the loader may keep oleautomation on one half only
  vtable->ReleaseTypeAttr(attr);
  const WORD wanted = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
  if ((flags & wanted) != wanted)
    Diff(cname, "interface flags 0x%x lack hidden/dual/nonextensible/oleautomation", static_cast<unsigned>(flags));

  // Group the functions into members in first-appearance (slot) order.
  std::vector<std::vector<Accessor>> members;
  std::vector<MEMBERID> ids;
  for (UINT i = 0; i < funcs; ++i) {
    FUNCDESC* desc = nullptr;
    if (FAILED(vtable->GetFuncDesc(i, &desc))) continue;
    BSTR names[32] = {};
    UINT count = 0;
    vtable->GetNames(desc->memid, names, 32, &count);
    Accessor a{desc->invkind, {}, {}, desc};
    for (UINT n = 0; n < count; ++n) {
      a.names.push_back(Utf8(names[n]));
      SysFreeString(names[n]);
    }
    // GetNames gives names of the first function with this id; parameter
    // names of a Let/Set accessor are not stored, which the comparison allows.
    for (SHORT j = 0; j < desc->cParams; ++j) a.params.push_back(desc->lprgelemdescParam[j]);
    size_t slot = 0;
    while (slot < ids.size() && ids[slot] != desc->memid) ++slot;
    if (slot == ids.size()) {
      ids.push_back(desc->memid);
      members.emplace_back();
    }
    members[slot].push_back(a);
  }

  if (members.size() != cls.members.size())
    Diff(cname, "%zu members in the type library, %zu in the member table", members.size(), cls.members.size());
  for (size_t slot = 0; slot < members.size() && slot < cls.members.size(); ++slot) {
    const MemberInfo& m = cls.members[slot];
    const std::vector<Accessor>& accessors = members[slot];
    const Accessor& first = accessors.front();
    const std::string where = cname + "." + Utf8(m.name);
    const std::string libName = first.names.empty() ? "" : first.names.front();
    if (dump) std::printf("  %s slot %zu dispid %ld\n", libName.c_str(), slot, static_cast<long>(ids[slot]));
    if (libName != Utf8(m.name)) Diff(where, "slot %zu is '%s' in the type library", slot, libName.c_str());
    if (ids[slot] != m.dispid) Diff(where, "dispid %ld in the type library, %d in the member table", static_cast<long>(ids[slot]), m.dispid);
    if (m.isDefault != (ids[slot] == DISPID_VALUE)) Diff(where, "default member flag differs");
    const bool hidden = (first.desc->wFuncFlags & FUNCFLAG_FHIDDEN) != 0;
    if (hidden != m.hidden) Diff(where, "hidden %d in the type library, %d in the member table", hidden, m.hidden);
    CheckHelp(vtable, ids[slot], where, dump);

    int kinds = 0;
    for (const Accessor& a : accessors) kinds |= a.invkind;
    int expected = 0;
    switch (m.kind) {
      case MemberKind::Field: expected = INVOKE_PROPERTYGET | INVOKE_PROPERTYPUT; break;
      case MemberKind::ReadOnlyProperty:
      case MemberKind::ObjectGet: expected = INVOKE_PROPERTYGET; break;
      case MemberKind::ObjectGetSet: expected = INVOKE_PROPERTYGET | INVOKE_PROPERTYPUTREF; break;
      case MemberKind::Operation: expected = INVOKE_FUNC; break;
    }
    if (kinds != expected) Diff(where, "accessors 0x%x in the type library, 0x%x expected from the member table", kinds, expected);

    const Accessor* reader = nullptr;
    for (const Accessor& a : accessors)
      if (a.invkind == INVOKE_PROPERTYGET || a.invkind == INVOKE_FUNC) reader = &a;
    if (reader == nullptr) continue;
    bool known = true;
    const DeclaredType result = ResultType(vtable, *reader, known);
    if (dump) std::printf("    type %s\n", TypeText(result).c_str());
    if (!known || !(result == m.type))
      Diff(where, "type %s in the type library, %s in the member table", TypeText(result).c_str(), TypeText(m.type).c_str());
    CompareParams(where, vtable, *reader, m, dump);
    // A Let or Set takes one value of the member's type (an object by reference).
    for (const Accessor& a : accessors) {
      if (a.invkind != INVOKE_PROPERTYPUT && a.invkind != INVOKE_PROPERTYPUTREF) continue;
      if (a.params.size() != 1) {
        Diff(where, "Let/Set takes %zu values", a.params.size());
        continue;
      }
      const TypeView value = ViewOf(vtable, a.params[0].tdesc);
      if (!(value.type == m.type)) Diff(where, "Let/Set value of type %s", TypeText(value.type).c_str());
      if (value.byRef != (a.invkind == INVOKE_PROPERTYPUTREF)) Diff(where, "Let/Set value passing differs");
    }
  }
  for (auto& accessors : members)
    for (Accessor& a : accessors) vtable->ReleaseFuncDesc(a.desc);
  vtable->Release();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: typelib_compare PATH\\Vantrel.dll [--dump]\n");
    return 2;
  }
  const bool dump = argc > 2 && std::wstring(argv[2]) == L"--dump";
  CoInitialize(nullptr);
  ITypeLib* lib = nullptr;
  if (FAILED(LoadTypeLibEx(argv[1], REGKIND_NONE, &lib))) {
    std::printf("DIFF library: cannot load the type library of %s\n", Utf8(argv[1]).c_str());
    return 1;
  }
  TLIBATTR* attr = nullptr;
  lib->GetLibAttr(&attr);
  if (attr->wMajorVerNum != 1 || attr->wMinorVerNum != 0) Diff("library", "version %u.%u", attr->wMajorVerNum, attr->wMinorVerNum);
  if (attr->lcid != 0x0409) Diff("library", "lcid 0x%lx", static_cast<unsigned long>(attr->lcid));
  lib->ReleaseTLibAttr(attr);
  BSTR name = nullptr;
  lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  if (Utf8(name) != "Vantrel") Diff("library", "named '%s'", Utf8(name).c_str());
  SysFreeString(name);

  // Coclasses in library order.
  std::vector<UINT> coclasses;
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    TYPEKIND kind;
    if (SUCCEEDED(lib->GetTypeInfoType(i, &kind)) && kind == TKIND_COCLASS) coclasses.push_back(i);
  }
  const auto& catalogue = Catalogue();
  if (coclasses.size() != catalogue.size())
    Diff("library", "%zu coclasses, %zu classes in the catalogue", coclasses.size(), catalogue.size());
  size_t members = 0;
  for (size_t i = 0; i < catalogue.size() && i < coclasses.size(); ++i) {
    if (dump) std::printf("%s\n", Utf8(catalogue[i].name).c_str());
    CompareClass(lib, coclasses[i], catalogue[i], dump);
    members += catalogue[i].members.size();
  }
  lib->Release();
  std::printf("type library: %zu classes, %zu members compared, %d differences\n", catalogue.size(), members, g_diffs);
  CoUninitialize();
  return g_diffs == 0 ? 0 : 1;
}
