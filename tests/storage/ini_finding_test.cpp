// Which section and key a read finds.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using FindingTest = IniTest;

TEST_F(FindingTest, NamesMatchWithoutAsciiLetterCaseButHighBytesExactly) {
  Lay("[Section]\r\nKey=1\r\n[\xC9t\xE9]\r\n\xE9=2\r\n");
  EXPECT_EQ(Value("SECTION", "key").text, "1");
  EXPECT_EQ(Value("section", "KEY").text, "1");
  EXPECT_EQ(Value("\xC9t\xE9", "\xE9").text, "2");
  EXPECT_EQ(Value("\xE9t\xE9", "\xE9").text, "dflt");
  EXPECT_EQ(Value("\xC9t\xE9", "\xC9").text, "dflt");
}

TEST_F(FindingTest, BlanksAroundNamesInTheFileAreIgnored) {
  Lay("  [  spaced  ]  \r\n \t k 4 \t = \t value \t \r\n");
  EXPECT_EQ(Value("spaced", "k 4").text, "value");
  EXPECT_EQ(Value("spaced", "k  4").text, "dflt");
}

TEST_F(FindingTest, RequestedNamesLoseSpacesButNotTabs) {
  Lay("[s]\r\nk=v\r\n");
  EXPECT_EQ(Value("  s ", " k  ").text, "v");
  EXPECT_EQ(Value("s", "\tk").text, "dflt");
}

TEST_F(FindingTest, HeaderNameEndsAtTheFirstClosingBracket) {
  Lay("[after] trailing text\r\na=1\r\n[two][words]\r\nb=2\r\n[x]]\r\nc=3\r\n[[y]\r\nd=4\r\n");
  EXPECT_EQ(Value("after", "a").text, "1");
  EXPECT_EQ(Value("two", "b").text, "2");
  EXPECT_EQ(Value("x", "c").text, "3");
  EXPECT_EQ(Value("[y", "d").text, "4");
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"after", "two", "x", "[y"}));
}

TEST_F(FindingTest, BracketLineWithoutCloseIsAHeaderToTheLineEnd) {
  Lay("[s]\r\n[open\r\nk=1\r\n");
  EXPECT_EQ(Value("open", "k").text, "1");
  EXPECT_EQ(Value("s", "k").text, "dflt");
}

TEST_F(FindingTest, SemicolonLinesAreCommentsHashIsNot) {
  Lay("[s]\r\n;k1=hidden\r\n  ; k2=also\r\n#k3=hashed\r\nk4=v4 ; trailing\r\n");
  EXPECT_EQ(Value("s", ";k1").text, "dflt");
  EXPECT_EQ(Value("s", "#k3").text, "hashed");
  EXPECT_EQ(Value("s", "k4").text, "v4 ; trailing");
  EXPECT_EQ(ReadKeys(file(), "s"), (std::vector<std::string>{"#k3", "k4"}));
}

TEST_F(FindingTest, LinesWithoutEqualsAreNotKeys) {
  Lay("[s]\r\nbare line\r\nk=1\r\n");
  EXPECT_EQ(Value("s", "bare line").text, "dflt");
  EXPECT_EQ(ReadKeys(file(), "s"), (std::vector<std::string>{"k"}));
}

TEST_F(FindingTest, LineSplitsAtTheFirstEquals) {
  Lay("[s]\r\na=b=c\r\n");
  EXPECT_EQ(Value("s", "a").text, "b=c");
  EXPECT_EQ(Value("s", "a=b").text, "dflt");
}

TEST_F(FindingTest, BracketLineIsAlwaysAHeader) {
  Lay("[s]\r\n[k]=v\r\nx=1\r\n");
  EXPECT_EQ(Value("k", "x").text, "1");
  EXPECT_EQ(Value("s", "x").text, "dflt");
}

TEST_F(FindingTest, KeysBeforeTheFirstHeaderBelongToTheEmptySection) {
  Lay("top=1\r\n[s]\r\nk=2\r\n[]\r\nunder=3\r\n");
  EXPECT_EQ(Value("", "top").text, "1");
  EXPECT_EQ(Value("", "under").text, "dflt");
  EXPECT_EQ(Value(" ", "top").text, "dflt");
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"s"}));
  EXPECT_EQ(ReadKeys(file(), ""), (std::vector<std::string>{"top"}));
}

TEST_F(FindingTest, EmptyKeyNamesAreReadWithTheEmptyKey) {
  Lay("[e]\r\n=v\r\n = w\r\nk=1\r\n");
  EXPECT_EQ(Value("e", "").text, "v");
  // The second of two adjacent empty-named lines is not seen at all.
  EXPECT_EQ(ReadKeys(file(), "e"), (std::vector<std::string>{"", "k"}));
}

TEST_F(FindingTest, FirstOfDuplicateKeysAndSectionsIsRead) {
  Lay("[s]\r\ndup=first\r\ndup=second\r\n[S]\r\nlater=1\r\n");
  EXPECT_EQ(Value("s", "dup").text, "first");
  EXPECT_EQ(Value("s", "later").text, "dflt");
  EXPECT_EQ(ReadKeys(file(), "s"), (std::vector<std::string>{"dup", "dup"}));
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"s", "S"}));
}

TEST_F(FindingTest, NulByteEndsTheValueOnly) {
  Lay(std::string("[n]\r\na=ab\0cd\r\nb=2\r\n", 19));
  EXPECT_EQ(Value("n", "a").text, "ab");
  EXPECT_EQ(Value("n", "b").text, "2");
}

TEST_F(FindingTest, LongLinesAreReadInFull) {
  const std::string long_value(70000, 'v');
  const std::string long_name(1100, 'n');
  Lay("[" + long_name + "]\r\nk=" + long_value + "\r\n");
  EXPECT_EQ(ReadValue(file(), long_name, "k", 80000), long_value);
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{long_name}));
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
