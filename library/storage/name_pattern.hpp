#pragma once
// File-name patterns with the Windows wildcards, as the folder search of the
// POSIX build applies them: "*" matches any run of characters, "?" one
// character (or none at the end of the name or before its last dot), a "."
// followed only by wildcards may also match the end of a name without a dot,
// so "*.*" matches every name and "x.*" matches "x". Letters match without
// regard to case.
#include <string_view>

namespace vantrel::storage {

bool MatchesNamePattern(std::u16string_view pattern, std::u16string_view name);

}  // namespace vantrel::storage
