#include "classes/key_fold.hpp"

#include "storage/case_fold.hpp"

namespace vantrel::classes {

std::u16string FoldKey(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    // A lone surrogate is kept as it is.
    const char32_t lower = (c >= 0xD800 && c <= 0xDFFF) ? c : storage::LowerChar(c);
    if (lower >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((lower - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((lower - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(lower);
    }
  }
  return out;
}

}  // namespace vantrel::classes
