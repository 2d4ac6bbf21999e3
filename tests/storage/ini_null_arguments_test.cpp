// NULL arguments and refused text.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using NullArgumentsTest = IniTest;

TEST_F(NullArgumentsTest, NullSectionReadsTheSectionListWhateverElseIsGiven) {
  Lay("top=0\r\n[a]\r\n[]\r\n[ b ]\r\n[A]\r\n");
  std::uint32_t count = 0;
  EXPECT_EQ(List(std::nullopt, "k", 64, &count).substr(0, 7), std::string("a\0b\0A\0\0", 7));
  EXPECT_EQ(count, 6u);
}

TEST_F(NullArgumentsTest, NoSectionsGiveASingleNul) {
  Lay(" \r\n\t\r\n");
  std::uint32_t count = 7;
  EXPECT_EQ(List(std::nullopt, std::nullopt, 64, &count).substr(0, 1), std::string("\0", 1));
  EXPECT_EQ(count, 0u);
}

TEST_F(NullArgumentsTest, WritesWithoutSectionFailAndChangeNothing) {
  Lay("[s]\r\nk=1\r\n");
  EXPECT_FALSE(WriteProfileString(std::nullopt, "k", "v", file()));
  EXPECT_FALSE(WriteProfileString(std::nullopt, "k", std::nullopt, file()));
  EXPECT_FALSE(WriteProfileString(std::nullopt, std::nullopt, std::nullopt, file()));
  EXPECT_FALSE(WriteProfileString(std::nullopt, std::nullopt, "x", file()));
  EXPECT_FALSE(WriteProfileSection(std::nullopt, std::string("a=1\0", 5), file()));
  EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
}

TEST_F(NullArgumentsTest, SectionReadWithoutSectionLeavesTheBufferAlone) {
  Lay("[s]\r\nk=1\r\n");
  std::string buffer(8, '\x7F');
  EXPECT_EQ(GetProfileSection(std::nullopt, buffer.data(), 8, file()), 0u);
  EXPECT_EQ(buffer, std::string(8, '\x7F'));
}

TEST_F(NullArgumentsTest, LineBreaksAndNulsInWrittenTextAreRefused) {
  const std::string before = "[s]\r\nk=1\r\n";
  Lay(before);
  EXPECT_FALSE(WriteProfileString("s", "k", "a\r\nb=injected", file()));
  EXPECT_FALSE(LastIniError().empty());
  EXPECT_FALSE(WriteProfileString("s", "x\ny", "v", file()));
  EXPECT_FALSE(WriteProfileString("s\r\n[t]", "k", "v", file()));
  EXPECT_FALSE(WriteProfileString("s", "k", std::string("a\0b", 3), file()));
  EXPECT_FALSE(ReplaceSection(file(), "s", {"a=1", "b=2\r\n[evil]"}));
  EXPECT_FALSE(ReplaceSection(file(), "s", {"a=1", ""}));
  EXPECT_FALSE(WriteProfileString("s", "k\n", std::nullopt, file()));
  EXPECT_EQ(Bytes(), before);
  EXPECT_TRUE(WriteProfileString("s", "k", "2", file()));
  EXPECT_TRUE(LastIniError().empty());
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
