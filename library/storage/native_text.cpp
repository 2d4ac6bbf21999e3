#include "native_text.hpp"

#include "automation/text.hpp"

namespace vantrel::storage {

using automation::CodePoint;

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint point = automation::DecodeUtf16(text, i);
    if (point.value >= 0xDC80 && point.value <= 0xDCFF) {
      out.push_back(static_cast<char>(point.value - 0xDC00));  // an undecodable byte of a name
    } else {
      automation::AppendUtf8(out, point.value >= 0xD800 && point.value <= 0xDFFF ? 0xFFFD : point.value);
    }
    i += point.length;
  }
  return out;
}

}  // namespace vantrel::storage
