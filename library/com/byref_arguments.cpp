#include "com/byref_arguments.hpp"

namespace vantrel::com {
namespace {

bool IsOmitted(const VARIANTARG& arg) { return V_VT(&arg) == VT_ERROR && V_ERROR(&arg) == DISP_E_PARAMNOTFOUND; }

// The method `id` of the interface, or null (release with ReleaseFuncDesc).
FUNCDESC* FindMethod(ITypeInfo* info, DISPID id) {
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr))) return nullptr;
  const WORD count = attr->cFuncs;
  info->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* desc = nullptr;
    if (FAILED(info->GetFuncDesc(i, &desc))) continue;
    if (desc->memid == id && desc->invkind == INVOKE_FUNC) return desc;
    info->ReleaseFuncDesc(desc);
  }
  return nullptr;
}

// The pointee type of a typed by-reference parameter (BSTR* -> VT_BSTR), or
// VT_EMPTY for anything else (VARIANT*, interface pointers, by-value types).
VARTYPE TypedByRefTarget(const ELEMDESC& param) {
  if (param.tdesc.vt != VT_PTR || param.tdesc.lptdesc == nullptr) return VT_EMPTY;
  const VARTYPE target = param.tdesc.lptdesc->vt;
  switch (target) {
    case VT_BSTR:
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_DATE:
    case VT_BOOL:
      return target;
    default:
      return VT_EMPTY;
  }
}

}  // namespace

ByRefArguments::~ByRefArguments() {
  for (VARIANT& v : values_) VariantClear(&v);
}

DISPPARAMS* ByRefArguments::Prepare(ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params) {
  if (params == nullptr || params->cNamedArgs != 0 || !(flags & DISPATCH_METHOD)) return params;
  FUNCDESC* desc = FindMethod(info, id);
  if (desc == nullptr) return params;

  // Which parameters need a prepared argument, and how many arguments the
  // prepared call carries.
  const UINT declared = static_cast<UINT>(desc->cParams);
  const UINT given = params->cArgs;
  auto arg_of = [&](UINT j) -> const VARIANTARG& { return params->rgvarg[given - 1 - j]; };
  UINT count = given;
  bool needed = false;
  for (UINT j = 0; j < declared; ++j) {
    const ELEMDESC& param = desc->lprgelemdescParam[j];
    const USHORT pflags = param.paramdesc.wParamFlags;
    if (pflags & PARAMFLAG_FRETVAL) continue;
    const bool omitted = j >= given || IsOmitted(arg_of(j));
    if (omitted && !(pflags & PARAMFLAG_FOPT)) {
      needed = false;  // a required argument is missing: Invoke reports it
      break;
    }
    if (TypedByRefTarget(param) == VT_EMPTY) continue;
    if (omitted && (pflags & PARAMFLAG_FHASDEFAULT) && param.paramdesc.pparamdescex != nullptr) {
      needed = true;
      if (j + 1 > count) count = j + 1;
    } else if (!omitted && V_VT(&arg_of(j)) == (VT_VARIANT | VT_BYREF)) {
      needed = true;
    }
  }
  if (!needed || given > declared) {
    info->ReleaseFuncDesc(desc);
    return params;
  }

  values_.reserve(count);  // no reallocation: the arguments point into it
  args_.assign(count, VARIANTARG{});
  for (UINT j = 0; j < count; ++j) {
    VARIANTARG& arg = args_[count - 1 - j];  // arguments are stored last first
    const bool present = j < given && !IsOmitted(arg_of(j));
    const ELEMDESC* param = j < declared ? &desc->lprgelemdescParam[j] : nullptr;
    const VARTYPE target = param ? TypedByRefTarget(*param) : static_cast<VARTYPE>(VT_EMPTY);
    if (present && !(target != VT_EMPTY && V_VT(&arg_of(j)) == (VT_VARIANT | VT_BYREF))) {
      arg = arg_of(j);  // a shallow copy: the caller still owns the value
      continue;
    }
    if (!present && (target == VT_EMPTY || !(param->paramdesc.wParamFlags & PARAMFLAG_FHASDEFAULT) ||
                     param->paramdesc.pparamdescex == nullptr)) {
      V_VT(&arg) = VT_ERROR;
      V_ERROR(&arg) = DISP_E_PARAMNOTFOUND;
      continue;
    }
    values_.emplace_back();
    VARIANT& value = values_.back();
    VariantInit(&value);
    const VARIANT& source = present ? *V_VARIANTREF(&arg_of(j)) : param->paramdesc.pparamdescex->varDefaultValue;
    if (FAILED(VariantChangeType(&value, const_cast<VARIANT*>(&source), 0, target))) {
      // Left to ITypeInfo::Invoke, which reports the mismatch as usual.
      if (present) {
        arg = arg_of(j);
      } else {
        V_VT(&arg) = VT_ERROR;
        V_ERROR(&arg) = DISP_E_PARAMNOTFOUND;
      }
      continue;
    }
    V_VT(&arg) = static_cast<VARTYPE>(target | VT_BYREF);
    V_BYREF(&arg) = static_cast<void*>(&V_BSTR(&value));  // the start of the value, whatever its type
  }
  info->ReleaseFuncDesc(desc);
  prepared_.rgvarg = args_.data();
  prepared_.cArgs = count;
  prepared_.rgdispidNamedArgs = nullptr;
  prepared_.cNamedArgs = 0;
  return &prepared_;
}

}  // namespace vantrel::com
