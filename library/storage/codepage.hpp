#pragma once
// Text conversion between UTF-16 and the system ANSI code page.
//
// The ANSI code page is CP_ACP on Windows. On POSIX it is the codeset of the
// user's locale, taken from the first non-empty of LC_ALL, LC_CTYPE and LANG;
// the C and POSIX locales (and an unset environment) count as UTF-8.
// Characters that the code page cannot represent become '?'.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::storage {

// UTF-16 to ANSI bytes; unrepresentable characters become '?'.
std::string ToAnsi(std::u16string_view text);

// ANSI bytes to UTF-16; byte sequences that are invalid in the code page become '?'.
std::u16string FromAnsi(std::string_view bytes);

// Name of the code page in use ("UTF-8", "SHIFT_JIS", "GBK", "CP1252", ...).
std::string AnsiCodePageName();

// Number of bytes (1 or more) of the character that starts at bytes[pos] in the
// ANSI code page, never running past the end. In a double-byte code page a lead
// byte followed by a trail byte gives 2, so a trail byte that looks like '[' or
// '=' is never mistaken for syntax; in UTF-8 a whole sequence is one character.
std::size_t AnsiCharLength(std::string_view bytes, std::size_t pos);

// Whether a byte below 0x80 can be the second byte of a character (double-byte
// code pages): only then must a scan for '[', ']' or '=' walk character by character.
bool AnsiTrailBytesCanLookLikeAscii();

// Largest length <= limit that does not end inside a character of `bytes`.
std::size_t AnsiWholeCharPrefix(std::string_view bytes, std::size_t limit);

// Forget the cached code page (tests change the locale environment).
void ResetAnsiCodePageForTesting();

}  // namespace vantrel::storage
