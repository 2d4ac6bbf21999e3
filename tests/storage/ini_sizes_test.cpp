// Counts and cuts at the buffer size.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using SizesTest = IniTest;

TEST_F(SizesTest, ValueIsCutToSizeMinusOne) {
  Lay("[s]\r\nv=" + std::string(300, 'x') + "\r\nq=\"abcdef\"\r\n");
  const Read cut = Value("s", "v", "d", 255);
  EXPECT_EQ(cut.count, 254u);
  EXPECT_EQ(cut.text, std::string(254, 'x'));
  EXPECT_EQ(Value("s", "v", "d", 301).count, 300u);
  EXPECT_EQ(Value("s", "v", "d", 300).count, 299u);
  EXPECT_EQ(Value("s", "v", "d", 1).text, "");
  EXPECT_EQ(Value("s", "v", "d", 1).count, 0u);
  // Quotes go before the cut.
  EXPECT_EQ(Value("s", "q", "d", 4).text, "abc");
  EXPECT_EQ(ReadValue(file(), "s", "v"), std::string(254, 'x'));
}

TEST_F(SizesTest, SizeZeroWritesNothing) {
  Lay("[s]\r\nv=1\r\n");
  char byte = '\x7F';
  EXPECT_EQ(GetProfileString("s", "v", "d", &byte, 0, file()), 0u);
  EXPECT_EQ(byte, '\x7F');
}

TEST_F(SizesTest, DefaultIsCutTheSameWay) {
  Lay("");
  const Read cut = Value("s", "k", "default text", 5);
  EXPECT_EQ(cut.text, "defa");
  EXPECT_EQ(cut.count, 4u);
}

TEST_F(SizesTest, ListIsWholeOnlyWithOneByteToSpare) {
  Lay("[s]\r\nab=1\r\ncd=2\r\n");
  // Whole list "ab\0cd\0\0" is 7 bytes.
  std::uint32_t count = 0;
  EXPECT_EQ(List("s", std::nullopt, 8, &count), std::string("ab\0cd\0\0\x7F", 8));
  EXPECT_EQ(count, 6u);
  EXPECT_EQ(List("s", std::nullopt, 7, &count), std::string("ab\0cd\0\x7F", 7));
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(List("s", std::nullopt, 6, &count), std::string("ab\0c\0\x7F", 6));
  EXPECT_EQ(count, 4u);
}

TEST_F(SizesTest, TinyListBuffers) {
  Lay("[s]\r\nab=1\r\n");
  std::string buffer(4, '\x7F');
  EXPECT_EQ(GetProfileString("s", std::nullopt, "dflt", buffer.data(), 2, file()), 1u);
  EXPECT_EQ(buffer.substr(0, 2), std::string("d\0", 2));
  EXPECT_EQ(GetProfileString(std::nullopt, std::nullopt, "", buffer.data(), 2, file()), 0u);
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(SizesTest, LongListsAreCutAt4095ButLibraryListsAreComplete) {
  std::string content = "[big]\r\n";
  for (int i = 0; i < 600; ++i) content += "key" + std::to_string(1000 + i) + "=1\r\n";
  Lay(content);
  std::uint32_t count = 0;
  const std::string cut = List("big", std::nullopt, 4095, &count);
  EXPECT_EQ(count, 4093u);
  // 511 whole names of 8 bytes, then "key15" cut mid-name.
  EXPECT_EQ(cut.substr(4080, 15), std::string("key1510\0key15\0\x7F", 15));
  EXPECT_EQ(ReadKeys(file(), "big").size(), 600u);
}

TEST_F(SizesTest, SectionReadCutEndsInTwoNuls) {
  Lay("[s]\r\na=1\r\nbb=22\r\n");
  // Whole result "a=1\0bb=22\0\0" is 11 bytes.
  std::string buffer(16, '\x7F');
  EXPECT_EQ(GetProfileSection("s", buffer.data(), 12, file()), 10u);
  EXPECT_EQ(GetProfileSection("s", buffer.data(), 11, file()), 9u);
  EXPECT_EQ(buffer.substr(0, 11), std::string("a=1\0bb=22\0\0", 11));
  buffer.assign(16, '\x7F');
  EXPECT_EQ(GetProfileSection("s", buffer.data(), 8, file()), 6u);
  EXPECT_EQ(buffer.substr(0, 9), std::string("a=1\0bb\0\0\x7F", 9));
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
