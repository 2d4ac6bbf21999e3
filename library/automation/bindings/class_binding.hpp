#pragma once
// Internal to the bindings: the description of each class together with the
// code that performs each member on a C++ object. Invoke checks and coerces
// the arguments before a MemberCode runs, so member code sees every parameter
// present (defaults filled in) and of its declared Variant type.
#include <functional>
#include <span>
#include <vector>

#include "automation/member_table.hpp"

namespace vantrel::automation::bindings {

struct MemberCode {
  // Property Get or method call: arguments as declared.
  std::function<Variant(Object&, std::span<const Variant>)> get;
  // Property Let (Field) or Set (ObjectGetSet): the new value.
  std::function<void(Object&, const Variant&)> put;
};

struct ClassBinding {
  ClassInfo info;
  std::vector<MemberCode> code;  // parallel to info.members
};

// All bindings, index == ClassId value.
const std::vector<ClassBinding>& Bindings();

}  // namespace vantrel::automation::bindings
