#pragma once
// Text on its way into an INI file, the one place that refuses it: converted
// to the ANSI code page, and refused when it would break the file (a line
// break or NUL injects lines; "]", "=", ";" or "[" in the wrong place change
// what a line means) or could not be stored as given (a character the code
// page cannot hold would come back as '?', blanks and enclosing quotes are
// dropped when read back). Values are never escaped in the file, so the only
// safe course is to refuse them; nothing is written then. Nor is a value
// longer than the library reads back (a list with such a line would no
// longer read), nor text that is not valid Unicode (a caller's invalid UTF-8
// arrives as lone surrogates).
#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::storage {

// True with `out` set to the ANSI bytes; false with `why` saying what is wrong
// with `text` (`what` names it in the message: "value", "key name", ...).
bool ToFileText(std::u16string_view text, std::string_view what, std::string& out, std::string& why);

// Why a section name or key name would read back as something else once
// written (empty when it would not): "]" ends a section name early, "=" splits
// a key name, a key name starting with ";" or "[" becomes a comment or a
// section header, and an empty key name ends every key list of its section.
std::string RefusalOfIniName(std::u16string_view section, std::u16string_view key);

// The longest value the library reads back whole: every value and list line
// it reads goes through a 255-byte buffer, one byte of which ends the text.
inline constexpr std::size_t kReadBackBytes = 254;

// Why `stored`, the whole value of one key as it would be written, would not
// read back whole (empty when it would): more than kReadBackBytes in the code
// page. `what` names the member that fills it.
std::u16string RefusalOfLength(std::u16string_view stored, std::u16string_view what);

// Why `bytes`, text already in the code page (the engine's own arguments),
// would not read back as given: not valid in the code page (invalid UTF-8 in
// a UTF-8 locale). Empty when it would.
std::string RefusalOfAnsi(std::string_view bytes, std::string_view what);

// ToFileText's refusal as a message for a caller ("the <what> holds ..."),
// empty when the text can be stored.
std::u16string RefusalOfText(std::u16string_view text, std::u16string_view what);

// Stricter rules for the library's own settings and server files.
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

}  // namespace vantrel::storage
