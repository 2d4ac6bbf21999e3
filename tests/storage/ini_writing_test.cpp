// Where writes go and what bytes they leave.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using WritingTest = IniTest;

// One write into a file with the given bytes, and the bytes it leaves.
TEST_F(WritingTest, WritesChangeOnlyTheLineTheyConcern) {
  const struct {
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } cases[] = {
      // Changed value: the rest of the line and every other line keep their bytes.
      {"; note\n  [ Main ]  tail\n  Key  =  old  \n\tother = x\n\n[Next]\r\nn=1", "main", "KEY", "new",
       "; note\n  [ Main ]  tail\n  Key  =new\n\tother = x\n\n[Next]\r\nn=1"},
      // New key: after the last non-blank line of its section, or right after the header.
      {"[a]\r\nx=1\r\n;comment\r\nbare\r\n\r\n[b]\r\ny=2\r\n", "A", "New", "v",
       "[a]\r\nx=1\r\n;comment\r\nbare\r\nNew=v\r\n\r\n[b]\r\ny=2\r\n"},
      {"[a]\r\n[b]\r\ny=2\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\ny=2\r\n"},
      // New section: at the end, with no blank line.
      {"[a]\r\nx=1", "t", "k", "v", "[a]\r\nx=1\r\n[t]\r\nk=v\r\n"},
      // The block before the first header.
      {"top=1\r\n[s]\r\nk=2\r\n", "", "more", "3", "top=1\r\nmore=3\r\n[s]\r\nk=2\r\n"},
      {"[s]\r\nk=2\r\n", "", "first", "0", "first=0\r\n[s]\r\nk=2\r\n"},
      // Existing names keep the file's spelling, new ones the caller's, without surrounding spaces.
      {"[Section]\r\nKey=1\r\n", "SECTION", "KEY", "2", "[Section]\r\nKey=2\r\n"},
      {"[Section]\r\n", "section", "  NewKey  ", "3", "[Section]\r\nNewKey=3\r\n"},
      {"", "  s  ", "  k  ", "v", "[s]\r\nk=v\r\n"},
      // Duplicates: the first occurrence takes the write.
      {"[s]\r\nk=1\r\nk=2\r\n[S]\r\nz=0\r\n", "s", "k", "9", "[s]\r\nk=9\r\nk=2\r\n[S]\r\nz=0\r\n"},
      {"[s]\r\n[S]\r\nz=0\r\n", "s", "z", "new", "[s]\r\nz=new\r\n[S]\r\nz=0\r\n"},
      // A bare line of the name takes the value.
      {"[s]\r\nbare\r\n", "s", "bare", "1", "[s]\r\nbare=1\r\n"},
  };
  for (const auto& c : cases) {
    Lay(c.before);
    ASSERT_TRUE(WriteProfileString(c.section, c.key, c.value, file())) << c.before;
    EXPECT_EQ(Bytes(), c.after) << c.before;
  }
}

TEST_F(WritingTest, WriteToMissingFileCreatesItWithCrlf) {
  ASSERT_TRUE(WriteProfileString("s", "k", "v", file()));
  ASSERT_TRUE(WriteProfileString("s", "e", "", file()));
  EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\ne=\r\n");
}

TEST_F(WritingTest, SameValueLeavesTheFileAlone) {
  const std::string before = "[s]\nk = \"1\"  \nj=2\n";
  Lay(before);
  ASSERT_TRUE(WriteProfileString("s", "k", "\"1\"", file()));
  ASSERT_TRUE(WriteProfileString("S", "J", "2", file()));
  EXPECT_EQ(Bytes(), before);
  ASSERT_TRUE(WriteProfileString("s", "k", "1", file()));  // the stored value has quotes: a change
  EXPECT_EQ(Bytes(), "[s]\nk =1\nj=2\n");
}

TEST_F(WritingTest, ValuesAreWrittenAsGivenAndNothingIsEscaped) {
  Lay("");
  ASSERT_TRUE(WriteProfileString("s", "k", "  padded  ", file()));
  ASSERT_TRUE(WriteProfileString("s", "special", ";|=[]#", file()));
  EXPECT_EQ(Bytes(), "[s]\r\nk=  padded  \r\nspecial=;|=[]#\r\n");
  EXPECT_EQ(Value("s", "k").text, "padded");
  EXPECT_EQ(Value("s", "special").text, ";|=[]#");
}

TEST_F(WritingTest, ValuesOfAnyLengthAreWrittenInFull) {
  for (const std::size_t length : {32766u, 32767u, 65536u, 70000u}) {
    const std::string value(length, 'w');
    ASSERT_TRUE(WriteProfileString("s", "k", value, file()));
    EXPECT_TRUE(ReadValue(file(), "s", "k", 80000) == value) << length;  // no 70,000-byte failure message
  }
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
