#include "automation/text.hpp"

namespace vantrel::automation {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

std::optional<CodePoint> DecodeUtf8(std::string_view bytes, std::size_t pos) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = at(pos);
  if (lead < 0x80) return CodePoint{lead, 1};
  std::size_t extra = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, c = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, c = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + extra >= bytes.size()) return std::nullopt;
  for (std::size_t k = 1; k <= extra; ++k) {
    if ((at(pos + k) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (at(pos + k) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || IsSurrogate(c)) return std::nullopt;
  return CodePoint{c, extra + 1};
}

CodePoint DecodeUtf16(std::u16string_view text, std::size_t pos) {
  const char32_t unit = text[pos];
  if (unit >= 0xD800 && unit <= 0xDBFF && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 &&
      text[pos + 1] <= 0xDFFF)
    return {0x10000 + ((unit - 0xD800) << 10) + (text[pos + 1] - 0xDC00), 2};
  return {unit, 1};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (c >> 10));
    out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint point = DecodeUtf16(text, i);
    AppendUtf8(out, IsSurrogate(point.value) ? kReplacement : point.value);
    i += point.length;
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::optional<CodePoint> point = DecodeUtf8(text, i);
    // An invalid byte becomes a lone surrogate (U+DC80 + its low 7 bits, as
    // Python's surrogateescape), which every write refuses as invalid text.
    AppendUtf16(out, point ? point->value : 0xDC00 | static_cast<unsigned char>(text[i]));
    i += point ? point->length : 1;
  }
  return out;
}

}  // namespace vantrel::automation
