#pragma once
// Native POSIX file names are UTF-8 bytes. automation::FromUtf8 reads them:
// bytes that are not valid UTF-8 become the lone surrogates U+DC80..U+DCFF.
// Utf16ToUtf8 turns those back into the same bytes, so every name found on
// disk can be named again exactly.
#include <string>
#include <string_view>

namespace vantrel::storage {

std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace vantrel::storage
