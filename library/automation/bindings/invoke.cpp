#include "automation/bindings/invoke.hpp"

#include <vector>

#include "automation/bindings/class_binding.hpp"
#include "automation/coercion.hpp"
#include "storage/case_fold.hpp"

namespace vantrel::automation {
namespace {

using bindings::Bindings;

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && storage::EqualsIgnoreCase(a, b);
}

Variant DefaultValueOf(const Variant& v, int depth);

// The value of an object used where a scalar is declared: its default
// member's value, as a script host takes it.
Variant DefaultValueOf(const Variant& v, int depth) {
  if (!v.IsObject()) return v;
  if (!v.AsObject() || depth > 4) throw AutomationError(kTypeMismatch);
  Object& object = *v.AsObject();
  if (object.Class() == ClassId::Enumerator) throw AutomationError(kTypeMismatch);
  const auto slot = DefaultMember(ClassOf(object));
  if (!slot) throw AutomationError(kTypeMismatch);
  return DefaultValueOf(Invoke(object, *slot, InvokeKind::PropertyGet, {}), depth + 1);
}

Variant Coerce(const Variant& arg, const DeclaredType& type) {
  switch (type.kind) {
    case TypeKind::Integer: return Variant(ToInteger(DefaultValueOf(arg, 0)));
    case TypeKind::Long: return Variant(ToLong(DefaultValueOf(arg, 0)));
    case TypeKind::Boolean: return Variant(ToBoolean(DefaultValueOf(arg, 0)));
    case TypeKind::Date: return Variant(ToDate(DefaultValueOf(arg, 0)));
    case TypeKind::String: return Variant(ToString(DefaultValueOf(arg, 0)));
    case TypeKind::Object: {
      if (!arg.IsObject()) throw AutomationError(kObjectRequired);
      if (arg.AsObject() && arg.AsObject()->Class() != type.objectClass) throw AutomationError(kTypeMismatch);
      return arg;
    }
    default: return arg;  // Variant: as it comes
  }
}

// The empty value of a declared type, for an optional without a default.
Variant EmptyOf(const DeclaredType& type) { return Coerce(Variant(), type); }

std::vector<Variant> PrepareArguments(const MemberInfo& member, std::span<Variant> args) {
  if (args.size() > member.params.size()) throw AutomationError(kWrongArgumentCount);
  std::vector<Variant> prepared;
  prepared.reserve(member.params.size());
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    const ParamInfo& p = member.params[i];
    if (i >= args.size() || args[i].IsMissing()) {
      if (!p.optional) throw AutomationError(kArgumentNotOptional);
      prepared.push_back(p.defaultValue ? *p.defaultValue : EmptyOf(p.type));
    } else {
      prepared.push_back(Coerce(args[i], p.type));
    }
  }
  return prepared;
}

}  // namespace

const ClassInfo& ClassOf(ClassId id) {
  const auto index = static_cast<std::size_t>(id);
  if (index >= Catalogue().size()) throw AutomationError(kMemberNotFound);
  return Catalogue()[index];
}

const ClassInfo& ClassOf(const Object& object) { return ClassOf(object.Class()); }

const ClassInfo* FindClass(std::u16string_view name) {
  for (const ClassInfo& info : Catalogue())
    if (SameName(info.name, name)) return &info;
  return nullptr;
}

const ClassInfo* FindClassByProgId(std::u16string_view progId) {
  constexpr std::u16string_view prefix = u"Vantrel.";
  if (progId.size() <= prefix.size() || !SameName(progId.substr(0, prefix.size()), prefix)) return nullptr;
  return FindClass(progId.substr(prefix.size()));
}

std::optional<std::size_t> FindMember(const ClassInfo& info, std::u16string_view name) {
  for (std::size_t i = 0; i < info.members.size(); ++i)
    if (SameName(info.members[i].name, name)) return i;
  return std::nullopt;
}

std::optional<std::size_t> DefaultMember(const ClassInfo& info) { return MemberByDispid(info, kDispidDefault); }

std::optional<std::size_t> MemberByDispid(const ClassInfo& info, std::int32_t dispid) {
  for (std::size_t i = 0; i < info.members.size(); ++i)
    if (info.members[i].dispid == dispid) return i;
  return std::nullopt;
}

Variant Invoke(Object& object, std::size_t slot, InvokeKind kind, std::span<Variant> args) {
  const auto classIndex = static_cast<std::size_t>(object.Class());
  if (classIndex >= Bindings().size()) throw AutomationError(kMemberNotFound);
  const bindings::ClassBinding& binding = Bindings()[classIndex];
  if (slot >= binding.info.members.size()) throw AutomationError(kMemberNotFound);
  const MemberInfo& member = binding.info.members[slot];
  const bindings::MemberCode& code = binding.code[slot];

  switch (kind) {
    case InvokeKind::Method:
    case InvokeKind::PropertyGet: {
      const std::vector<Variant> prepared = PrepareArguments(member, args);
      return code.get(object, prepared);
    }
    case InvokeKind::PropertyPut:
      if (member.kind != MemberKind::Field) throw AutomationError(kMemberNotFound);
      if (args.size() != 1) throw AutomationError(kWrongArgumentCount);
      if (args[0].IsMissing()) throw AutomationError(kArgumentNotOptional);
      code.put(object, Coerce(args[0], member.type));
      return Variant();
    case InvokeKind::PropertyPutRef:
      if (member.kind != MemberKind::ObjectGetSet) throw AutomationError(kMemberNotFound);
      if (args.size() != 1) throw AutomationError(kWrongArgumentCount);
      code.put(object, Coerce(args[0], member.type));
      return Variant();
  }
  throw AutomationError(kMemberNotFound);
}

}  // namespace vantrel::automation
