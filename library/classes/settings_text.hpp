#pragma once
// Checks on names and values before they go into the settings file: text
// that would break the file, or would not read back as it was given, is
// refused with the reason, and nothing is written. Values are never escaped
// in the file, so the only safe course is to refuse them.
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::classes {

// Why `name` cannot be a key name of the settings file (empty when it can):
// empty, a line break or NUL, characters the code page cannot hold, "=" (ends
// the name), ";" (splits the ";"-joined key lists), "[" first (a section
// header), or blanks at either end (dropped by the file).
std::u16string RefusalOfKeyName(std::u16string_view name, std::u16string_view what);

// Why `value` cannot be stored as a value (empty when it can): a line break
// or NUL, characters the code page cannot hold, blanks at either end or one
// pair of enclosing quotes (both dropped when the value is read back).
std::u16string RefusalOfValue(std::u16string_view value, std::u16string_view what);

// Why `field` cannot be one field of a "|"-joined entry: it holds "|" (it
// would split into more fields), or anything RefusalOfValue refuses in the
// middle of a value (a line break, NUL, code page).
std::u16string RefusalOfField(std::u16string_view field, std::u16string_view what);

}  // namespace vantrel::classes
