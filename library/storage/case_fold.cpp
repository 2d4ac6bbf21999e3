#include "case_fold.hpp"

#include <array>
#include <cstdint>

namespace vantrel::storage {
namespace {

// One block of the upper-to-lower mapping. kOffset: every code point in
// [first, last] maps to itself + delta. kPairs: upper and lower case alternate,
// upper at first, first + 2, ...; each maps to the next code point.
// kLowerOnly: a single code point whose lower-case form has no way back.
enum class Kind : std::uint8_t { kOffset, kPairs, kLowerOnly };

struct Block {
  char32_t first;
  char32_t last;
  std::int32_t delta;
  Kind kind;
};

constexpr std::array kBlocks{
    Block{0x0041, 0x005A, 32, Kind::kOffset},     // Basic Latin
    Block{0x00C0, 0x00D6, 32, Kind::kOffset},     // Latin-1
    Block{0x00D8, 0x00DE, 32, Kind::kOffset},
    Block{0x0100, 0x012F, 1, Kind::kPairs},       // Latin Extended-A
    Block{0x0130, 0x0130, 0x0069 - 0x0130, Kind::kLowerOnly},
    Block{0x0132, 0x0137, 1, Kind::kPairs},
    Block{0x0139, 0x0148, 1, Kind::kPairs},
    Block{0x014A, 0x0177, 1, Kind::kPairs},
    Block{0x0178, 0x0178, 0x00FF - 0x0178, Kind::kOffset},
    Block{0x0179, 0x017E, 1, Kind::kPairs},
    Block{0x01CD, 0x01DC, 1, Kind::kPairs},       // Latin Extended-B (regular parts)
    Block{0x01DE, 0x01EF, 1, Kind::kPairs},
    Block{0x01F8, 0x021F, 1, Kind::kPairs},
    Block{0x0222, 0x0233, 1, Kind::kPairs},
    Block{0x0386, 0x0386, 0x03AC - 0x0386, Kind::kOffset},  // Greek
    Block{0x0388, 0x038A, 37, Kind::kOffset},
    Block{0x038C, 0x038C, 0x03CC - 0x038C, Kind::kOffset},
    Block{0x038E, 0x038F, 63, Kind::kOffset},
    Block{0x0391, 0x03A1, 32, Kind::kOffset},
    Block{0x03A3, 0x03AB, 32, Kind::kOffset},
    Block{0x03D8, 0x03EF, 1, Kind::kPairs},
    Block{0x0400, 0x040F, 80, Kind::kOffset},     // Cyrillic
    Block{0x0410, 0x042F, 32, Kind::kOffset},
    Block{0x0460, 0x0481, 1, Kind::kPairs},
    Block{0x048A, 0x04BF, 1, Kind::kPairs},
    Block{0x04C0, 0x04C0, 0x04CF - 0x04C0, Kind::kOffset},
    Block{0x04C1, 0x04CE, 1, Kind::kPairs},
    Block{0x04D0, 0x052F, 1, Kind::kPairs},
    Block{0x0531, 0x0556, 48, Kind::kOffset},     // Armenian
    Block{0x10A0, 0x10C5, 0x2D00 - 0x10A0, Kind::kOffset},  // Georgian
    Block{0x1E00, 0x1E95, 1, Kind::kPairs},       // Latin Extended Additional
    Block{0x1E9E, 0x1E9E, 0x00DF - 0x1E9E, Kind::kLowerOnly},
    Block{0x1EA0, 0x1EFF, 1, Kind::kPairs},
    Block{0x1F08, 0x1F0F, -8, Kind::kOffset},     // Greek Extended
    Block{0x1F18, 0x1F1D, -8, Kind::kOffset},
    Block{0x1F28, 0x1F2F, -8, Kind::kOffset},
    Block{0x1F38, 0x1F3F, -8, Kind::kOffset},
    Block{0x1F48, 0x1F4D, -8, Kind::kOffset},
    Block{0x1F68, 0x1F6F, -8, Kind::kOffset},
    Block{0x2160, 0x216F, 16, Kind::kOffset},     // Roman numerals
    Block{0x24B6, 0x24CF, 26, Kind::kOffset},     // circled letters
    Block{0x2C00, 0x2C2F, 48, Kind::kOffset},     // Glagolitic
    Block{0xFF21, 0xFF3A, 32, Kind::kOffset},     // full-width Latin
    Block{0x10400, 0x10427, 40, Kind::kOffset},   // Deseret
};

// Lower-case letters whose upper-case form is not the inverse of a block.
struct Pair {
  char32_t lower;
  char32_t upper;
};
constexpr std::array kExtraUpper{
    Pair{0x00B5, 0x039C},  // micro sign
    Pair{0x0131, 0x0049},  // dotless i
    Pair{0x017F, 0x0053},  // long s
    Pair{0x03C2, 0x03A3},  // final sigma
};

char32_t Shift(char32_t c, std::int32_t delta) {
  return static_cast<char32_t>(static_cast<std::int64_t>(c) + delta);
}

// Decodes one code point of UTF-16 at `i`, advancing `i`.
char32_t NextUtf16(std::u16string_view s, std::size_t& i) {
  const char16_t lead = s[i++];
  if (lead >= 0xD800 && lead <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
    const char16_t trail = s[i++];
    return 0x10000 + ((static_cast<char32_t>(lead) - 0xD800) << 10) + (trail - 0xDC00);
  }
  return lead;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

// Decodes one code point of UTF-8 at `i`, advancing `i`. An invalid or
// incomplete sequence yields 0x110000 + the byte, which never equals a real
// code point, so such bytes only match themselves.
char32_t NextUtf8(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  const char32_t invalid = 0x110000 + b0;
  int extra = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, c = b0 & 0x1F, minimum = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, c = b0 & 0x0F, minimum = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, c = b0 & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return invalid;
  }
  if (i + static_cast<std::size_t>(extra) >= s.size()) {
    ++i;
    return invalid;
  }
  for (int k = 1; k <= extra; ++k) {
    const unsigned char b = byte(i + static_cast<std::size_t>(k));
    if ((b & 0xC0) != 0x80) {
      ++i;
      return invalid;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return invalid;
  }
  i += static_cast<std::size_t>(extra) + 1;
  return c;
}

}  // namespace

char32_t LowerChar(char32_t c) {
  if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;  // most names: no table walk
  for (const Block& b : kBlocks) {
    if (c < b.first || c > b.last) continue;
    if (b.kind == Kind::kPairs) return ((c - b.first) % 2 == 0) ? c + 1 : c;
    return Shift(c, b.delta);
  }
  return c;
}

char32_t UpperChar(char32_t c) {
  for (const Pair& p : kExtraUpper) {
    if (p.lower == c) return p.upper;
  }
  for (const Block& b : kBlocks) {
    if (b.kind == Kind::kLowerOnly) continue;
    if (b.kind == Kind::kPairs) {
      if (c > b.first && c <= b.last && (c - b.first) % 2 == 1) return c - 1;
      continue;
    }
    const char32_t source = Shift(c, -b.delta);
    if (source >= b.first && source <= b.last) return source;
  }
  return c;
}

std::u16string UpperText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, UpperChar(NextUtf16(text, i)));
  return out;
}

std::u16string LowerText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, LowerChar(NextUtf16(text, i)));
  return out;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (LowerChar(NextUtf16(a, i)) != LowerChar(NextUtf16(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

bool EqualsIgnoreCaseUtf8(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (LowerChar(NextUtf8(a, i)) != LowerChar(NextUtf8(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

}  // namespace vantrel::storage
