#pragma once
// Conversion between the system's UTF-16 text and native POSIX file names,
// which are UTF-8 bytes. Bytes of a name that are not valid UTF-8 become the
// lone surrogates U+DC80..U+DCFF and turn back into the same bytes, so every
// name found on disk can be named again exactly.
#include <string>
#include <string_view>

namespace vantrel::storage {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view bytes);

}  // namespace vantrel::storage
