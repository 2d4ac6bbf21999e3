#pragma once
// UTF-8 <-> UTF-16 conversion for the front ends (C ABI, CLI, error texts).
// Invalid input is replaced by U+FFFD rather than dropped, so nothing is
// silently shortened.
#include <string>
#include <string_view>

namespace vantrel::automation {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace vantrel::automation
