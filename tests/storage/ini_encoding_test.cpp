// The ANSI code page on POSIX: taken from the locale, and double-byte
// characters whose trail bytes look like syntax.
#include "ini_test_support.hpp"
#include "storage/codepage.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using EncodingTest = IniTest;

TEST_F(EncodingTest, CodePageComesFromTheLocaleAndCOrPosixMeanUtf8) {
  {
    ScopedLocale c("C");
    EXPECT_EQ(AnsiCodePageName(), "UTF-8");
    EXPECT_EQ(ToAnsi(u"\u00e9"), "\xC3\xA9");
  }
  {
    ScopedLocale sjis("ja_JP.SJIS");
    EXPECT_EQ(ToAnsi(u"\u30a2"), "\x83\x41");
    EXPECT_EQ(FromAnsi("\x83\x5D"), u"\u30be");
    EXPECT_EQ(ToAnsi(u"\u00e9\u4e00"), "?\x88\xEA");  // é is not in Shift-JIS
  }
  {
    ScopedLocale gbk("zh_CN.GBK");
    EXPECT_EQ(ToAnsi(u"\u4e2d"), "\xD6\xD0");
    EXPECT_EQ(FromAnsi("\xD6\xD0"), u"\u4e2d");
  }
}

TEST_F(EncodingTest, DoubleByteTrailBytesAreNotSyntax) {
  {
    ScopedLocale sjis("ja_JP.SJIS");
    // 0x83 0x5D is one character whose trail byte looks like ']'; 0x95 0x3D ends in '='.
    Lay("[\x83\x5D]\r\n\x95\x3D=v\r\n");
    EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"\x83\x5D"}));
    EXPECT_EQ(Value("\x83\x5D", "\x95\x3D").text, "v");
  }
  ScopedLocale gbk("zh_CN.GBK");
  Lay("[\x81\x5B\x81\x5D]\r\nk=\x81\x3D\r\n");
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"\x81\x5B\x81\x5D"}));
  EXPECT_EQ(Value("\x81\x5B\x81\x5D", "k").text, "\x81\x3D");
}

TEST_F(EncodingTest, CutsNeverSplitADoubleByteCharacter) {
  ScopedLocale sjis("ja_JP.SJIS");
  Lay("[s]\r\nk=a\x83\x41\x83\x41\r\n");
  // Size 3 leaves room for "a" and half a character: the NUL follows "a".
  const Read cut = Value("s", "k", "d", 3);
  EXPECT_EQ(cut.text, "a");
  EXPECT_EQ(cut.count, 1u);
  EXPECT_EQ(Value("s", "k", "d", 4).text, "a\x83\x41");
  const std::string value = "x" + [] {
    std::string s;
    for (int i = 0; i < 150; ++i) s += "\x83\x41";
    return s;
  }();
  Lay("[s]\r\nk=" + value + "\r\n");
  const std::string read = ReadValue(file(), "s", "k");
  EXPECT_EQ(read, value.substr(0, 253));
}

TEST_F(EncodingTest, Utf8LocaleCutKeepsWholeCharacters) {
  ScopedLocale utf8("C.UTF-8");
  Lay("[s]\r\nk=ab\xE4\xB8\xAD\r\n");
  EXPECT_EQ(Value("s", "k", "d", 5).text, "ab");
  EXPECT_EQ(Value("s", "k", "d", 6).text, "ab\xE4\xB8\xAD");
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
