#include "automation/runtime/runtime.hpp"

namespace vantrel::automation::runtime {

Ref<Object> CreateObject(std::u16string_view progId) {
  const ClassInfo* info = FindClassByProgId(progId);
  if (!info) throw AutomationError(kCannotCreateObject);
  return info->create();
}

Variant InvokeByName(Object& object, std::u16string_view name, std::uint32_t flags, std::span<Variant> args) {
  if (object.Class() == ClassId::Enumerator) throw AutomationError(kMemberNotFound);
  const ClassInfo& info = ClassOf(object);
  const auto slot = name.empty() ? DefaultMember(info) : FindMember(info, name);
  if (!slot) throw AutomationError(kMemberNotFound);
  const MemberInfo& member = info.members[*slot];

  if (flags & kPropertyPutRef) return Invoke(object, *slot, InvokeKind::PropertyPutRef, args);
  if (flags & kPropertyPut) return Invoke(object, *slot, InvokeKind::PropertyPut, args);
  if (!(flags & (kMethod | kPropertyGet))) throw AutomationError(kMemberNotFound);

  if (member.params.empty() && !args.empty() && member.kind != MemberKind::Operation) {
    // x.Prop(args): the arguments belong to the default member of Prop's value.
    Variant value = Invoke(object, *slot, InvokeKind::PropertyGet, {});
    if (!value.IsObject() || !value.AsObject()) throw AutomationError(kWrongArgumentCount);
    return InvokeByName(*value.AsObject(), u"", kMethod | kPropertyGet, args);
  }
  return Invoke(object, *slot, (flags & kMethod) ? InvokeKind::Method : InvokeKind::PropertyGet, args);
}

}  // namespace vantrel::automation::runtime
