// UTF-8 and UTF-16 conversions for the POSIX side (paths, iconv input).
#pragma once

#include <string>
#include <string_view>

namespace vantrel::wizard {

// Unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);
// Malformed bytes become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace vantrel::wizard
