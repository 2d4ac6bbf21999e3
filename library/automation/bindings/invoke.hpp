#pragma once
// Generic slot-based invocation of the library's classes.
//
// Both front ends call into the object model through this header: the POSIX
// runtime (dispatch by name, libvantrel.so, the C ABI) and the Windows COM
// glue (vtable methods of the dual interfaces, IDispatch through the type
// library). Nothing here is platform specific.
//
// How to call it
// --------------
//   const auto& classes = Catalogue();            // 20 ClassInfo, type-library order
//   const ClassInfo& info = classes[i];           // info.name, info.id, info.members
//   Ref<Object> obj = info.create();              // a new object, one reference held by `obj`
//
//   // Members are addressed by slot: the 0-based index into info.members
//   // (the catalogue numbers them from 1; slot = number - 1).
//   std::vector<Variant> args = {Variant(String(u"D:\\ftp"))};
//   Invoke(*obj, slot, InvokeKind::PropertyPut, args);   // Let: the value is the last (only) argument
//   Variant v = Invoke(*obj, slot, InvokeKind::PropertyGet, {});
//
// Kinds per member kind:
//   Field              PropertyGet (no args) | PropertyPut (args = {value})
//   ReadOnlyProperty   PropertyGet or Method (args = the member's parameters, e.g. Item(vntIndexKey))
//   ObjectGet          PropertyGet
//   ObjectGetSet       PropertyGet | PropertyPutRef (args = {object or Nothing})
//   Operation          Method or PropertyGet (args = parameters in declared order)
// Any other combination throws AutomationError 438 (member does not support it).
//
// Arguments: one Variant per declared parameter, in declared order; fewer are
// allowed when the rest are optional. An omitted optional argument is passed
// as Variant::Missing() (or left off the end); Invoke substitutes the declared
// default (an optional without declared default, sKey, becomes ""). Invoke
// coerces every argument to its declared type itself (standard automation
// coercion, errors 13 and 6 before the member runs), so callers that coerced
// already (ITypeInfo::Invoke) lose nothing. A Variant-typed parameter
// (vntIndexKey) is passed as it comes. Object arguments must be of the
// declared class or Nothing (else error 13). By-reference parameters are never
// changed by the library, so no value needs copying back.
// An object passed where a scalar is declared is replaced by the value of its
// default member (as a script host does).
//
// Results: the value as a Variant of the declared type (I2, I4, Bool, Date,
// String, Object), Empty for Void. Object results hold a new reference.
// NewEnum returns a Variant holding an Enumerator (automation/enumerator.hpp)
// with Next/Skip/Reset/Clone over a snapshot of the items in position order;
// each element is a Variant holding the record object.
//
// Errors: every failure throws AutomationError (number + description):
// 5/9/457 from collections, 13/6 from coercion, 449 for a missing required
// argument, 450 for too many arguments, 438 for an unsupported kind, 445 for
// an operation that is not implemented yet. Manager operations' expected
// failures are not errors: they return False and set ErrorMsg.
//
// Lifetime: objects are reference counted (automation/object.hpp). A COM
// wrapper holds one Ref<Object>; ClassOf(object) gives the ClassInfo to pick
// the right interface. Objects are used on one thread at a time.
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "automation/error.hpp"
#include "automation/member_table.hpp"
#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace vantrel::automation {

enum class InvokeKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

// The 20 creatable classes in type-library order (index == ClassId value).
const std::vector<ClassInfo>& Catalogue();

// The description of an object's class. Throws for the Enumerator, which has
// no member table.
const ClassInfo& ClassOf(const Object& object);
const ClassInfo& ClassOf(ClassId id);

// Class by name ("Domains", letter case ignored) or by ProgID ("Vantrel.Domains").
const ClassInfo* FindClass(std::u16string_view name);
const ClassInfo* FindClassByProgId(std::u16string_view progId);

// Slot of a member by name (letter case ignored), or nullopt.
std::optional<std::size_t> FindMember(const ClassInfo& info, std::u16string_view name);
// Slot of the default member (dispid 0), or nullopt when the class has none.
std::optional<std::size_t> DefaultMember(const ClassInfo& info);
// Slot of a member by dispid, or nullopt.
std::optional<std::size_t> MemberByDispid(const ClassInfo& info, std::int32_t dispid);

Variant Invoke(Object& object, std::size_t slot, InvokeKind kind, std::span<Variant> args);

}  // namespace vantrel::automation
