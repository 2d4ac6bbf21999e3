#pragma once
// The POSIX automation runtime: what a late-binding script host does on
// Windows, done in-process. CreateObject finds a class by ProgID; InvokeByName
// finds a member by name (letter case ignored) and performs a property Get,
// Let, Set or a method call through the generic slot invoke, which coerces the
// arguments to the declared types before the member runs.
#include <cstdint>
#include <span>
#include <string_view>

#include "automation/bindings/invoke.hpp"

namespace vantrel::automation::runtime {

// Invocation flags, as the dispatch interface has them; Method and PropertyGet
// may be combined (a script's `x.Name(args)` is either).
enum InvokeFlags : std::uint32_t {
  kMethod = 1,
  kPropertyGet = 2,
  kPropertyPut = 4,
  kPropertyPutRef = 8,
};

// A new object of the class named by `progId` ("Vantrel.<Class>", letter case
// ignored). Error 429 when there is no such class.
Ref<Object> CreateObject(std::u16string_view progId);

// Calls member `name` of `object` (the empty name is the default member).
// A Get with arguments on a property that takes none applies them to the
// default member of the property's value, so `d.Domain(1)` reads an item.
// Errors: 438 unknown member or unsupported access, plus those of Invoke.
Variant InvokeByName(Object& object, std::u16string_view name, std::uint32_t flags, std::span<Variant> args);

// Number of objects the runtime's C callers hold (for DllCanUnloadNow).
long LiveHandles() noexcept;

}  // namespace vantrel::automation::runtime
