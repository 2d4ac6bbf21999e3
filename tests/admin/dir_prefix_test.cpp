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
  EXPECT_EQ(NormaliseFolderPath(u""), u"");
}

TEST(IsWithinFolder, MatchesOnlyAtAFolderBoundary) {
  EXPECT_TRUE(IsWithinFolder(u"D:\\FTP\\SALES\\in", u"d:\\ftp\\sales"));
  EXPECT_TRUE(IsWithinFolder(u"d:\\ftp\\sales", u"d:\\ftp\\sales\\"));
  EXPECT_FALSE(IsWithinFolder(u"d:\\ftp\\salesold", u"d:\\ftp\\sales"));
  EXPECT_TRUE(IsWithinFolder(u"c:\\anything", u"C:\\"));
  EXPECT_FALSE(IsWithinFolder(u"c:\\anything", u"d:\\"));
}

TEST(IsWithinFolder, DotDotCannotClimbOut) {
  EXPECT_FALSE(IsWithinFolder(u"d:\\ftp\\sales\\..\\other", u"d:\\ftp\\sales"));
  EXPECT_FALSE(IsWithinFolder(u"d:/ftp/sales/../../windows", u"d:\\ftp\\sales"));
  EXPECT_TRUE(IsWithinFolder(u"d:\\ftp\\other\\..\\sales\\x", u"d:\\ftp\\sales"));
}

TEST(IsWithinFolder, EmptyFolderAdmitsNothing) {
  EXPECT_FALSE(IsWithinFolder(u"c:\\x", u""));
  EXPECT_FALSE(IsWithinFolder(u"", u""));
}

TEST(IsWithinFolder, LetterCaseBeyondAscii) {
  EXPECT_TRUE(IsWithinFolder(u"d:\\ÄRGER\\x", u"d:\\ärger"));
}

}  // namespace
}  // namespace vantrel::admin
