#pragma once
// Letter-case rules for names the system compares the way Windows does:
// Unicode-aware simple (one character to one character) case mappings that do
// not depend on the process locale. Used for file-name components and for the
// file-extension test of the INI file check.
#include <string>
#include <string_view>

namespace vantrel::storage {

// Lower-case form of one code point (simple mapping; unmapped code points
// come back unchanged).
char32_t LowerChar(char32_t c);

// Upper-case form of one code point (simple mapping).
char32_t UpperChar(char32_t c);

// Upper-cases UTF-16 text code point by code point (surrogate pairs kept
// together; a lone surrogate passes unchanged).
std::u16string UpperText(std::u16string_view text);

// Lower-cases UTF-16 text the same way (the form collection keys are kept in).
std::u16string LowerText(std::u16string_view text);

// True when the two UTF-16 texts are equal once both are lower-cased.
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);

// The same comparison for UTF-8 text (file names on POSIX). Bytes that are not
// valid UTF-8 must match exactly.
bool EqualsIgnoreCaseUtf8(std::string_view a, std::string_view b);

}  // namespace vantrel::storage
