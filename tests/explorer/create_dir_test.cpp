// Explorer.CreateDir: folder paths with every missing parent, no checks, no report.
#include <gtest/gtest.h>

#include "explorer_fixture.hpp"

namespace vantrel::testing {
namespace {

TEST_F(ExplorerTest, CreatesEveryMissingFolderOfADeepPath) {
  Folder(Drive('d', "ftp"));
  explorer_.CreateDir(u"D:\\ftp\\new\\sub");
  EXPECT_TRUE(std::filesystem::is_directory(Drive('d', "ftp\\new")));
  EXPECT_TRUE(std::filesystem::is_directory(Drive('d', "ftp\\new\\sub")));
}

TEST_F(ExplorerTest, CreatingAgainChangesAndReportsNothing) {
  explorer_.CreateDir(u"D:\\ftp\\new\\sub");
  FileOf(Drive('d', "ftp\\new\\sub\\keep.txt"), 5);
  explorer_.ErrorMsg = u"earlier";
  explorer_.CreateDir(u"D:\\ftp\\new\\sub\\");
  EXPECT_EQ(std::filesystem::file_size(Drive('d', "ftp\\new\\sub\\keep.txt")), 5u);
  EXPECT_EQ(explorer_.ErrorMsg, u"earlier") << "CreateDir does not touch ErrorMsg";
}


TEST_F(ExplorerTest, MissingDriveCreatesNothing) {
  explorer_.CreateDir(u"Q:\\x\\y");
  EXPECT_FALSE(std::filesystem::exists(Drive('q')));
}


}  // namespace
}  // namespace vantrel::testing
