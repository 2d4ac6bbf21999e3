#pragma once
// UTF-8 <-> UTF-16 conversion for the front ends (C ABI, CLI, error texts).
// Nothing is dropped: an invalid UTF-8 byte becomes a lone surrogate (so the
// writers refuse it rather than store a changed text), a lone surrogate going
// out becomes U+FFFD. The code-point steps are shared with the native file
// names' conversion, which maps invalid bytes differently.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::automation {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

struct CodePoint {
  char32_t value;
  std::size_t length;  // of its encoding, in code units
};
// The code point encoded at `pos`; nullopt where the bytes there are not a
// valid UTF-8 sequence (overlong forms, surrogates, past U+10FFFF included).
std::optional<CodePoint> DecodeUtf8(std::string_view bytes, std::size_t pos);
// The code point at `pos` when it is a surrogate pair; a single unit otherwise.
CodePoint DecodeUtf16(std::u16string_view text, std::size_t pos);
void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);

}  // namespace vantrel::automation
