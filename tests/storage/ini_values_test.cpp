// What a value read returns: quotes, empty values, defaults, section reads.
#include "ini_test_support.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using ValuesTest = IniTest;

TEST_F(ValuesTest, OnePairOfMatchingEnclosingQuotesIsRemoved) {
  Lay("[q]\r\na=\"hello\"\r\nb='hello'\r\nc=\" hello \"\r\nd=\"\"\r\ne=\"'x'\"\r\nf=\"\"x\"\"\r\n");
  EXPECT_EQ(Value("q", "a").text, "hello");
  EXPECT_EQ(Value("q", "b").text, "hello");
  EXPECT_EQ(Value("q", "c").text, " hello ");
  EXPECT_EQ(Value("q", "d").text, "");
  EXPECT_EQ(Value("q", "e").text, "'x'");
  EXPECT_EQ(Value("q", "f").text, "\"x\"");
}

TEST_F(ValuesTest, UnmatchedOrInnerQuotesStay) {
  Lay("[q]\r\ng=\"hello'\r\nh=\"hello\r\ni=hello\"\r\nj=\"\r\nk=he\"ll\"o\r\nl=\"a\" b\r\n");
  EXPECT_EQ(Value("q", "g").text, "\"hello'");
  EXPECT_EQ(Value("q", "h").text, "\"hello");
  EXPECT_EQ(Value("q", "i").text, "hello\"");
  EXPECT_EQ(Value("q", "j").text, "\"");
  EXPECT_EQ(Value("q", "k").text, "he\"ll\"o");
  EXPECT_EQ(Value("q", "l").text, "\"a\" b");
}

TEST_F(ValuesTest, EmptyValueIsNotTheDefault) {
  Lay("[s]\r\na=\r\nb =  \r\n");
  const Read a = Value("s", "a");
  EXPECT_EQ(a.count, 0u);
  EXPECT_EQ(a.text, "");
  EXPECT_EQ(Value("s", "b").text, "");
}

TEST_F(ValuesTest, DefaultLosesTrailingSpacesAndQuotes) {
  Lay("[s]\r\n");
  EXPECT_EQ(Value("s", "missing", "d  ").text, "d");
  EXPECT_EQ(Value("s", "missing", "   ").text, " ");
  EXPECT_EQ(Value("s", "missing", "\td\t").text, "\td\t");
  EXPECT_EQ(Value("s", "missing", "\"q\"").text, "q");
  const Read none = Value("s", "missing", std::nullopt);
  EXPECT_EQ(none.count, 0u);
  EXPECT_EQ(none.text, "");
  EXPECT_EQ(Value("s", "missing", "abc").count, 3u);
}

TEST_F(ValuesTest, KeyListOfMissingOrKeylessSectionGivesTheDefaultAsItIs) {
  Lay("[only comments]\r\n;c=1\r\nbare\r\n");
  EXPECT_EQ(Value("nope", std::nullopt, "d  ").text, "d  ");
  EXPECT_EQ(Value("only comments", std::nullopt, "d  ").text, "d  ");
}

TEST_F(ValuesTest, SectionReadGivesTrimmedEntriesWithQuotesAndBareLines) {
  Lay("[s]\r\n  k  =  \"q\"  \r\n;comment=1\r\n  bare text  \r\n\r\ne=\r\n");
  std::string buffer(64, '\x7F');
  const std::uint32_t count = GetProfileSection("s", buffer.data(), 64, file());
  const std::string expected("k=\"q\"\0bare text\0e=\0\0", 20);
  EXPECT_EQ(buffer.substr(0, expected.size()), expected);
  EXPECT_EQ(count, expected.size() - 1);
}

TEST_F(ValuesTest, SectionReadOfMissingSectionIsTwoNuls) {
  Lay("[s]\r\nk=1\r\n");
  std::string buffer(8, '\x7F');
  EXPECT_EQ(GetProfileSection("missing", buffer.data(), 8, file()), 0u);
  EXPECT_EQ(buffer.substr(0, 3), std::string("\0\0\x7F", 3));
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
