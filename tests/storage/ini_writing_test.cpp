// The engine rules the POSIX build must hold on its own (the kernel32 comparison
// under Wine checks the rest): where writes go and where reads are cut.
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

TEST_F(WritingTest, NamesMatchWithoutAsciiLetterCaseButHighBytesExactly) {
  Lay("[Section]\r\nKey=1\r\n[\xC9t\xE9]\r\n\xE9=2\r\n");
  EXPECT_EQ(Value("SECTION", "key").text, "1");
  EXPECT_EQ(Value("\xC9t\xE9", "\xE9").text, "2");
  EXPECT_EQ(Value("\xE9t\xE9", "\xE9").text, "dflt");
}

TEST_F(WritingTest, ValueIsCutToSizeMinusOneAfterQuoteRemoval) {
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

}  // namespace
}  // namespace vantrel::storage::ini::testing
