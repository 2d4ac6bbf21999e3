// Where writes go and what bytes they leave.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using WritingTest = IniTest;

TEST_F(WritingTest, WriteToMissingFileCreatesItWithCrlf) {
  ASSERT_TRUE(WriteValue(file(), "s", "k", "v"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\n");
  ASSERT_TRUE(WriteValue(file(), "s", "e", ""));
  EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\ne=\r\n");
  EXPECT_EQ(Value("s", "e").text, "");
}

TEST_F(WritingTest, ChangedValueKeepsTheLineAndEveryOtherLineByteForByte) {
  const std::string before = "; note\n  [ Main ]  tail\n  Key  =  old  \n\tother = x\n\n[Next]\r\nn=1";
  Lay(before);
  ASSERT_TRUE(WriteValue(file(), "main", "KEY", "new"));
  EXPECT_EQ(Bytes(), "; note\n  [ Main ]  tail\n  Key  =new\n\tother = x\n\n[Next]\r\nn=1");
}

TEST_F(WritingTest, NewKeyGoesAfterTheLastLineOfItsSection) {
  Lay("[a]\r\nx=1\r\n;comment\r\nbare\r\n\r\n[b]\r\ny=2\r\n");
  ASSERT_TRUE(WriteValue(file(), "A", "New", "v"));
  EXPECT_EQ(Bytes(), "[a]\r\nx=1\r\n;comment\r\nbare\r\nNew=v\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(WritingTest, NewKeyInEmptySectionFollowsTheHeader) {
  Lay("[a]\r\n[b]\r\ny=2\r\n");
  ASSERT_TRUE(WriteValue(file(), "a", "k", "v"));
  EXPECT_EQ(Bytes(), "[a]\r\nk=v\r\n[b]\r\ny=2\r\n");
}

TEST_F(WritingTest, NewSectionGoesAtTheEndWithoutBlankLine) {
  Lay("[a]\r\nx=1");
  ASSERT_TRUE(WriteValue(file(), "t", "k", "v"));
  EXPECT_EQ(Bytes(), "[a]\r\nx=1\r\n[t]\r\nk=v\r\n");
}

TEST_F(WritingTest, KeysBeforeTheFirstHeaderAreWrittenThere) {
  Lay("top=1\r\n[s]\r\nk=2\r\n");
  ASSERT_TRUE(WriteValue(file(), "", "more", "3"));
  EXPECT_EQ(Bytes(), "top=1\r\nmore=3\r\n[s]\r\nk=2\r\n");
  Lay("[s]\r\nk=2\r\n");
  ASSERT_TRUE(WriteValue(file(), "", "first", "0"));
  EXPECT_EQ(Bytes(), "first=0\r\n[s]\r\nk=2\r\n");
}

TEST_F(WritingTest, SameValueLeavesTheFileAlone) {
  const std::string before = "[s]\nk = \"1\"  \nj=2\n";
  Lay(before);
  ASSERT_TRUE(WriteValue(file(), "s", "k", "\"1\""));
  ASSERT_TRUE(WriteValue(file(), "S", "J", "2"));
  EXPECT_EQ(Bytes(), before);
  ASSERT_TRUE(WriteValue(file(), "s", "k", "1"));  // the stored value has quotes: a change
  EXPECT_EQ(Bytes(), "[s]\nk =1\nj=2\n");
}

TEST_F(WritingTest, ExistingNamesKeepTheFileSpellingNewOnesTheCallers) {
  Lay("[Section]\r\nKey=1\r\n");
  ASSERT_TRUE(WriteValue(file(), "SECTION", "KEY", "2"));
  ASSERT_TRUE(WriteValue(file(), "section", "NewKey", "3"));
  EXPECT_EQ(Bytes(), "[Section]\r\nKey=2\r\nNewKey=3\r\n");
}

TEST_F(WritingTest, DuplicatesTakeWritesInTheirFirstOccurrence) {
  Lay("[s]\r\nk=1\r\nk=2\r\n[S]\r\nz=0\r\n");
  ASSERT_TRUE(WriteValue(file(), "s", "k", "9"));
  ASSERT_TRUE(WriteValue(file(), "s", "z", "new"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=9\r\nk=2\r\nz=new\r\n[S]\r\nz=0\r\n");
}

TEST_F(WritingTest, ValuesAreWrittenAsGivenAndNothingIsEscaped) {
  Lay("");
  ASSERT_TRUE(WriteValue(file(), "s", "k", "  padded  "));
  ASSERT_TRUE(WriteValue(file(), "s", "special", ";|=[]#"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=  padded  \r\nspecial=;|=[]#\r\n");
  EXPECT_EQ(Value("s", "k").text, "padded");
  EXPECT_EQ(Value("s", "special").text, ";|=[]#");
}

TEST_F(WritingTest, ValuesOfAnyLengthAreWrittenInFull) {
  for (const std::size_t length : {32766u, 32767u, 65536u, 70000u}) {
    const std::string value(length, 'w');
    ASSERT_TRUE(WriteValue(file(), "s", "k", value));
    EXPECT_TRUE(ReadValue(file(), "s", "k", 80000) == value) << length;  // no 70,000-byte failure message
  }
}

TEST_F(WritingTest, RequestedNamesAreWrittenWithoutSurroundingSpaces) {
  Lay("");
  ASSERT_TRUE(WriteValue(file(), "  s  ", "  k  ", "v"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\n");
}

TEST_F(WritingTest, BareLineOfTheNameTakesTheValue) {
  Lay("[s]\r\nbare\r\n");
  ASSERT_TRUE(WriteValue(file(), "s", "bare", "1"));
  EXPECT_EQ(Bytes(), "[s]\r\nbare=1\r\n");
}

TEST_F(WritingTest, SectionBodyReplacesTheSectionLines) {
  Lay("[a]\r\nx=1\r\n;c\r\n[b]\r\ny=2\r\n");
  const std::string body("x=9\0  sp  =  v  \0noequals\0[inner]\0;c=d\0x=dup\0\0", 45);
  ASSERT_TRUE(WriteProfileSection("a", body, file()));
  EXPECT_EQ(Bytes(), "[a]\r\nx=9\r\nsp  =v  \r\n;c=d\r\nx=dup\r\n[b]\r\ny=2\r\n");
}

TEST_F(WritingTest, SectionBodyForMissingSectionIsAppended) {
  Lay("[a]\r\nx=1\r\n");
  ASSERT_TRUE(ReplaceSection(file(), "new", {"k=1", "k=2"}));
  EXPECT_EQ(Bytes(), "[a]\r\nx=1\r\n[new]\r\nk=1\r\nk=2\r\n");
}

TEST_F(WritingTest, EmptyBodyEmptiesAnExistingSectionOnly) {
  Lay("[a]\r\nx=1\r\n[b]\r\n");
  ASSERT_TRUE(ReplaceSection(file(), "a", {}));
  ASSERT_TRUE(ReplaceSection(file(), "missing", {}));
  EXPECT_EQ(Bytes(), "[a]\r\n[b]\r\n");
}

TEST_F(WritingTest, SectionBodyFillsTheFirstDuplicateAndEmptiesTheOthers) {
  Lay("[d]\r\na=1\r\n[x]\r\n[D]\r\nb=2\r\n");
  ASSERT_TRUE(ReplaceSection(file(), "d", {"c=3"}));
  EXPECT_EQ(Bytes(), "[d]\r\nc=3\r\n[x]\r\n[D]\r\n");
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
