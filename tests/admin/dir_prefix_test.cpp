#include "admin/dir_prefix.hpp"

#include <gtest/gtest.h>

namespace vantrel::admin {
namespace {

TEST(NormaliseFolderPath, SeparatorsDotsAndRoots) {
  EXPECT_EQ(NormaliseFolderPath(u"d:/ftp//sales\\.\\in\\"), u"d:\\ftp\\sales\\in");
  EXPECT_EQ(NormaliseFolderPath(u"d:\\ftp\\sales\\..\\other"), u"d:\\ftp\\other");
  EXPECT_EQ(NormaliseFolderPath(u"d:\\..\\..\\x"), u"d:\\x");  // never above the drive root
  EXPECT_EQ(NormaliseFolderPath(u"C:\\"), u"C:\\");
  EXPECT_EQ(NormaliseFolderPath(u"\\\\server\\share\\..\\..\\a"), u"\\\\server\\share\\a");
  EXPECT_EQ(NormaliseFolderPath(u"..\\x\\.."), u"..");
  EXPECT_EQ(NormaliseFolderPath(u"x\\..\\d:\\y"), u".\\d:\\y");  // still relative
  EXPECT_EQ(NormaliseFolderPath(u".\\d:.\\y"), u".\\d:.\\y");
  EXPECT_EQ(NormaliseFolderPath(u""), u"");
}

TEST(IsWithinFolder, MatchesOnlyAtAFolderBoundaryAndNeverByClimbingOut) {
  const struct {
    const char16_t* path;
    const char16_t* folder;
    bool within;
  } cases[] = {
      {u"D:\\FTP\\SALES\\in", u"d:\\ftp\\sales", true},
      {u"d:\\ftp\\sales", u"d:\\ftp\\sales\\", true},
      {u"d:\\ftp\\salesold", u"d:\\ftp\\sales", false},
      {u"c:\\anything", u"C:\\", true},
      {u"c:\\anything", u"d:\\", false},
      {u"d:\\ftp\\sales\\..\\other", u"d:\\ftp\\sales", false},
      {u"d:/ftp/sales/../../windows", u"d:\\ftp\\sales", false},
      {u"d:\\ftp\\other\\..\\sales\\x", u"d:\\ftp\\sales", true},
      {u"x\\..\\d:\\ftp\\sales", u"d:\\ftp\\sales", false},  // relative, however it reads
      {u"c:\\x", u"", false},  // an empty folder admits nothing
      {u"", u"", false},
      {u"d:\\ÄRGER\\x", u"d:\\ärger", true},  // letter case beyond ASCII
  };
  for (const auto& c : cases) EXPECT_EQ(IsWithinFolder(c.path, c.folder), c.within) << c.within;
}

}  // namespace
}  // namespace vantrel::admin
