#include "storage/md5.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "scoped_locale.hpp"
#include "storage/codepage.hpp"

namespace vantrel::storage {
namespace {

std::string HexOf(std::string_view bytes) { return HexUpper(Md5Of(bytes)); }

// The test suite of RFC 1321, appendix A.5, and lengths at the padding boundaries.
TEST(Md5, ReferenceVectors) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
      {std::string(55, 'a'), "EF1772B6DFF9A122358552954AD0DF65"},
      {std::string(56, 'a'), "3B0C8AC703F828B04C6C197006D17218"},
      {std::string(64, 'a'), "014842D480B571495A4A0363793F7367"},
      {std::string(1000000, 'a'), "7707D6AE4E027C70EEA2A935C2296F21"},
  };
  for (const auto& [input, digest] : cases) EXPECT_EQ(HexOf(input), digest) << input.size();
}

// Lengths around the 56- and 64-byte padding boundaries, checked against a
// digest computed in one piece versus fed in small, uneven chunks.
TEST(Md5, ChunkedInputGivesTheSameDigestAtEveryLength) {
  std::string data;
  for (int i = 0; i < 200; ++i) data.push_back(static_cast<char>(i * 7 + 3));
  for (std::size_t length : {0u, 1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 200u}) {
    const std::string_view part(data.data(), length);
    Md5 md5;
    for (std::size_t pos = 0; pos < length; pos += 13) md5.Update(part.substr(pos, 13));
    EXPECT_EQ(HexUpper(md5.Finish()), HexOf(part)) << length;
  }
}

// Code-page conversion before hashing: the digest is of the ANSI bytes.
TEST(Md5Hex, DoubleByteLocaleHashesBothBytesOfACharacter) {
  testing::ScopedLocale locale("ja_JP.SJIS");
  ASSERT_NE(AnsiCodePageName(), "UTF-8");
  const std::string hex = HexOf("x\x93\xFA\x96\x7B");  // "x" and the Shift-JIS bytes of 日本
  EXPECT_EQ(MD5Hex(u"x日本"), std::u16string(hex.begin(), hex.end()));
}

}  // namespace
}  // namespace vantrel::storage
