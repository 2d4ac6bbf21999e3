#pragma once
// Small text rules of the profile format: blanks, name matching, quotes,
// whole numbers. Texts are ANSI bytes; scanning for syntax characters skips
// the trail bytes of multi-byte characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::storage::ini {

// A line's parts are trimmed of kProfileBlanks; requested section and key
// names lose spaces only (tabs stay, as on Windows): storage/blanks.hpp.

// Position of the first `c` at a character boundary at or after `from`, or npos.
std::size_t FindSyntaxChar(std::string_view text, char c, std::size_t from = 0);

// Letter case ignored for ASCII letters only; other bytes must be equal.
bool NamesEqual(std::string_view a, std::string_view b);

// One pair of enclosing quotes removed when the text starts and ends with the
// same quote character (" or ') and is at least two bytes long.
std::string_view StripQuotes(std::string_view text);

// GetPrivateProfileIntA's reading of a value: leading blanks, sign, 0x hex or
// decimal, stopping at the first non-digit, wrapping modulo 2^32; 0 when no digits.
std::uint32_t ParseProfileInt(std::string_view text);

// Whether the text holds CR, LF or NUL (refused in written names and values).
bool HasLineBreakOrNul(std::string_view text);

}  // namespace vantrel::storage::ini
