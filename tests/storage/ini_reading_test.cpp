// Reads: which section and key are found, what value comes back, and the
// counts and cuts at the buffer size. (The kernel32 comparison under Wine
// checks these rules case by case; here the Windows-only ones and a core set.)
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using ReadingTest = IniTest;

TEST_F(ReadingTest, NamesMatchWithoutAsciiLetterCaseButHighBytesExactly) {
  Lay("[Section]\r\nKey=1\r\n[\xC9t\xE9]\r\n\xE9=2\r\n");
  EXPECT_EQ(Value("SECTION", "key").text, "1");
  EXPECT_EQ(Value("\xC9t\xE9", "\xE9").text, "2");
  EXPECT_EQ(Value("\xE9t\xE9", "\xE9").text, "dflt");
}

TEST_F(ReadingTest, RequestedNamesLoseSpacesButNotTabs) {
  Lay("  [  s  ]  \r\n \t k 4 \t = \t v \t \r\n");
  EXPECT_EQ(Value("  s ", " k 4  ").text, "v");
  EXPECT_EQ(Value("s", "\tk 4").text, "dflt");
  EXPECT_EQ(Value("s", "k  4").text, "dflt");
}

TEST_F(ReadingTest, HeaderNameEndsAtTheFirstBracketOrTheLineEnd) {
  Lay("[two][words] text\r\nb=2\r\n[open\r\nk=1\r\n[k]=v\r\nx=3\r\n");
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"two", "open", "k"}));
  EXPECT_EQ(Value("open", "k").text, "1");
  EXPECT_EQ(Value("k", "x").text, "3");
}

TEST_F(ReadingTest, CommentsBareLinesAndEqualsInValues) {
  Lay("[s]\r\n;k1=hidden\r\n#k2=hashed\r\nbare\r\na=b=c ; not a comment\r\n");
  EXPECT_EQ(Value("s", ";k1").text, "dflt");
  EXPECT_EQ(Value("s", "bare").text, "dflt");
  EXPECT_EQ(Value("s", "a").text, "b=c ; not a comment");
  EXPECT_EQ(ReadKeys(file(), "s"), (std::vector<std::string>{"#k2", "a"}));
}

TEST_F(ReadingTest, KeysBeforeTheFirstHeaderFormTheEmptySection) {
  Lay("top=1\r\n[s]\r\ndup=first\r\ndup=second\r\n[]\r\nunder=3\r\n[S]\r\nlater=1\r\n");
  EXPECT_EQ(Value("", "top").text, "1");
  EXPECT_EQ(Value("", "under").text, "dflt");
  EXPECT_EQ(Value(" ", "top").text, "dflt");
  EXPECT_EQ(Value("s", "dup").text, "first");
  EXPECT_EQ(Value("s", "later").text, "dflt");
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"s", "S"}));
  EXPECT_EQ(ReadKeys(file(), "s"), (std::vector<std::string>{"dup", "dup"}));
}

TEST_F(ReadingTest, QuotesEmptyValuesAndDefaults) {
  Lay("[q]\r\na=\"hello\"\r\nb=' x '\r\nc=\"\"x\"\"\r\nd=\"hello'\r\ne=\"\r\nf=\r\n");
  EXPECT_EQ(Value("q", "a").text, "hello");
  EXPECT_EQ(Value("q", "b").text, " x ");
  EXPECT_EQ(Value("q", "c").text, "\"x\"");
  EXPECT_EQ(Value("q", "d").text, "\"hello'");
  EXPECT_EQ(Value("q", "e").text, "\"");
  const Read empty = Value("q", "f");
  EXPECT_EQ(empty.text, "");
  EXPECT_EQ(empty.count, 0u);
  EXPECT_EQ(Value("q", "missing", "d  ").text, "d");
  EXPECT_EQ(Value("q", "missing", "   ").text, " ");
  EXPECT_EQ(Value("q", "missing", "'q'").text, "q");
  EXPECT_EQ(Value("missing", std::nullopt, "d  ").text, "d  ");
}

TEST_F(ReadingTest, ValueIsCutToSizeMinusOneAfterQuoteRemoval) {
  Lay("[s]\r\nv=" + std::string(300, 'x') + "\r\nq=\"abcdef\"\r\n");
  const Read cut = Value("s", "v", "d", 255);
  EXPECT_EQ(cut.count, 254u);
  EXPECT_EQ(cut.text, std::string(254, 'x'));
  EXPECT_EQ(Value("s", "v", "d", 1).count, 0u);
  EXPECT_EQ(Value("s", "q", "d", 4).text, "abc");
  EXPECT_EQ(ReadValue(file(), "s", "v"), std::string(254, 'x'));
  char byte = '\x7F';
  EXPECT_EQ(GetProfileString("s", "v", "d", &byte, 0, file()), 0u);
  EXPECT_EQ(byte, '\x7F');
}

TEST_F(ReadingTest, ListIsWholeOnlyWithOneByteToSpare) {
  Lay("[s]\r\nab=1\r\ncd=2\r\n");
  // The whole list "ab\0cd\0\0" is 7 bytes.
  std::uint32_t count = 0;
  EXPECT_EQ(List("s", std::nullopt, 8, &count), std::string("ab\0cd\0\0\x7F", 8));
  EXPECT_EQ(count, 6u);
  EXPECT_EQ(List("s", std::nullopt, 7, &count), std::string("ab\0cd\0\x7F", 7));
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(List("s", std::nullopt, 6, &count), std::string("ab\0c\0\x7F", 6));
  EXPECT_EQ(count, 4u);
  std::string tiny(4, '\x7F');
  EXPECT_EQ(GetProfileString("s", std::nullopt, "dflt", tiny.data(), 2, file()), 1u);
  EXPECT_EQ(tiny.substr(0, 2), std::string("d\0", 2));
}

TEST_F(ReadingTest, LongListsAreCutAt4095ButLibraryListsAreComplete) {
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

TEST_F(ReadingTest, SectionReadGivesTrimmedEntriesAndEndsCutsInTwoNuls) {
  Lay("[s]\r\n  k  =  \"q\"  \r\n;comment=1\r\n  bare text  \r\n\r\ne=\r\n");
  std::string buffer(64, '\x7F');
  const std::string whole("k=\"q\"\0bare text\0e=\0\0", 20);
  EXPECT_EQ(GetProfileSection("s", buffer.data(), 64, file()), 19u);
  EXPECT_EQ(buffer.substr(0, 20), whole);
  buffer.assign(64, '\x7F');
  EXPECT_EQ(GetProfileSection("s", buffer.data(), 10, file()), 8u);
  EXPECT_EQ(buffer.substr(0, 11), std::string("k=\"q\"\0ba\0\0\x7F", 11));
  EXPECT_EQ(GetProfileSection("missing", buffer.data(), 8, file()), 0u);
  EXPECT_EQ(buffer.substr(0, 2), std::string("\0\0", 2));
}

TEST_F(ReadingTest, WholeNumbers) {
  Lay("[n]\r\na=0x10\r\nb=-0x10\r\nc=010\r\nd= 12abc\r\ne=\"42\"\r\nf=abc\r\ng=\r\nh=99999999999\r\ni=2147483648\r\n");
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"a", 16}, {"b", static_cast<std::uint32_t>(-16)}, {"c", 10}, {"d", 12}, {"e", 42}, {"f", 0},
      {"g", 9}, {"missing", 9}, {"h", 1215752191u}, {"i", 0x80000000u}};
  for (const auto& [key, value] : cases) EXPECT_EQ(GetProfileInt("n", key, 9, file()), value) << key;
  EXPECT_EQ(static_cast<std::int32_t>(GetProfileInt("n", "b", -1, file())), -16);
  EXPECT_EQ(GetProfileInt(std::nullopt, "a", 7, file()), 0u);
  EXPECT_EQ(GetProfileInt("n", std::nullopt, 7, file()), 0u);
}

TEST_F(ReadingTest, NulEndsTheValueAndLongLinesAreReadInFull) {
  const std::string long_value(70000, 'v');
  Lay(std::string("[n]\r\na=ab\0cd\r\nb=", 16) + long_value + "\r\n");
  EXPECT_EQ(Value("n", "a").text, "ab");
  EXPECT_TRUE(ReadValue(file(), "n", "b", 80000) == long_value);  // no 70,000-byte failure message
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
