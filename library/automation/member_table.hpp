#pragma once
// Descriptions of a class's members as a late-bound caller sees them: names
// in slot order, kinds, parameter lists with types and defaults, dispids.
// Generated from Vantrel.idl, like the Windows type library: the POSIX
// runtime dispatches through these tables.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace vantrel::automation {

// Declared type of a property, parameter or result.
enum class TypeKind : std::uint8_t {
  Void,        // operation without result
  Integer,     // 16-bit signed
  Long,        // 32-bit signed
  Boolean,
  Date,
  String,
  Variant,     // passed as it comes, no coercion
  Object,      // reference to an object of `objectClass`
  Enumerator,  // NewEnum's result
};

struct DeclaredType {
  TypeKind kind = TypeKind::Void;
  ClassId objectClass = ClassId::Enumerator;  // meaningful for TypeKind::Object only
  friend bool operator==(const DeclaredType&, const DeclaredType&) = default;
};

enum class MemberKind : std::uint8_t {
  Field,             // Get and Let; Let stores the value
  ReadOnlyProperty,  // Get alone (may take parameters, e.g. Item)
  ObjectGet,         // object property with Get alone
  ObjectGetSet,      // object property with Get and a by-reference Set
  Operation,         // method
};

struct ParamInfo {
  std::u16string name;
  DeclaredType type;
  bool optional = false;
  // Substituted when an optional argument is Missing. Empty when the
  // parameter is optional without a declared default value (sKey): then the
  // callee sees the type's empty value.
  std::optional<Variant> defaultValue;
  bool byRef = false;
};

inline constexpr std::int32_t kDispidDefault = 0;
inline constexpr std::int32_t kDispidNewEnum = -4;

struct MemberInfo {
  std::u16string name;
  MemberKind kind = MemberKind::Field;
  DeclaredType type;  // property type, or an operation's result type
  std::vector<ParamInfo> params;
  std::int32_t dispid = 0;  // 0 default member, -4 NewEnum, else slot + 1
  bool hidden = false;
  bool isDefault = false;
};

class Object;

struct ClassInfo {
  std::u16string name;  // "Domains"; ProgID "Vantrel.Domains"; interface "_Domains"
  ClassId id = ClassId::Global;
  std::vector<MemberInfo> members;  // slot order
  Ref<Object> (*create)() = nullptr;
};

// The classes as Vantrel.idl declares them, without code (create is null):
// generated at build time (model/member_tables.cpp); the bindings add the code.
std::vector<ClassInfo> DeclaredClasses();

}  // namespace vantrel::automation
