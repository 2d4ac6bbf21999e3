// Public directories: listing, numbering, deleting, and the rights they give.
#include <gtest/gtest.h>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "admins_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

std::vector<std::u16string> StoredDirs() {
  std::vector<std::u16string> out;
  for (const auto& key : admin::GetSettingKeys(admin::kPublicDirSection))
    out.push_back(key + u"=" + admin::ReadSetting(admin::kPublicDirSection, key));
  return out;
}

using Dirs = std::vector<std::u16string>;

TEST_F(AdminsTest, FactoryDefaultListsOneDirectory) {
  ASSERT_TRUE(admins_.GetPublicDir());
  auto list = admins_.PublicDirProperty.Get();
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Item(Variant(u"DIR1"))->Directory, u"C:\\Vantrel");
}

TEST_F(AdminsTest, SameDirectoryInAnyCaseExistsButATrailingSeparatorDiffers) {
  const std::string before = Settings();
  EXPECT_FALSE(admins_.AddPublicDir(u"c:\\vantrel"));
  EXPECT_EQ(admins_.ErrorMsg, u"The directory exists already");
  EXPECT_EQ(Settings(), before);
  ASSERT_TRUE(admins_.AddPublicDir(u"C:\\Vantrel\\"));
  EXPECT_EQ(admins_.ErrorMsg, u"");
  EXPECT_EQ(StoredDirs(), (Dirs{u"dir1=C:\\Vantrel", u"dir2=C:\\Vantrel\\"}));
}


TEST_F(AdminsTest, DeletingTheMiddleRenumbersTheRest) {
  ASSERT_TRUE(admins_.AddPublicDir(u"D:\\two"));
  ASSERT_TRUE(admins_.AddPublicDir(u"E:\\three"));
  ASSERT_TRUE(admins_.DelPublicDir(u"d:\\TWO"));
  EXPECT_EQ(admins_.ErrorMsg, u"");
  EXPECT_EQ(StoredDirs(), (Dirs{u"dir1=C:\\Vantrel", u"dir2=E:\\three"}));
  EXPECT_EQ(admins_.PublicDirProperty.Get()->Count(), 3) << "the list as it was before the delete";
}

TEST_F(AdminsTest, DeletingAnUnlistedDirectoryFailsButRenumbers) {
  ReplaceAfterVantrelSection("[PublicDir]\r\ndir3=C:\\a\r\ndir7=C:\\b\r\n");
  EXPECT_FALSE(admins_.DelPublicDir(u"C:\\none"));
  EXPECT_EQ(admins_.ErrorMsg, u"The directory does not exist");
  EXPECT_EQ(StoredDirs(), (Dirs{u"dir1=C:\\a", u"dir2=C:\\b"}));
}

TEST_F(AdminsTest, DeletingTheLastDirectoryRemovesTheSection) {
  ASSERT_TRUE(admins_.DelPublicDir(u"C:\\Vantrel"));
  EXPECT_EQ(Settings().find("[PublicDir]"), std::string::npos) << Settings();
  EXPECT_FALSE(admins_.DelPublicDir(u"C:\\Vantrel"));
  EXPECT_EQ(admins_.ErrorMsg, u"The directory does not exist");
}


TEST_F(AdminsTest, EntriesListedTwiceAreAllRemovedAndReportedAsMissing) {
  ReplaceAfterVantrelSection("[PublicDir]\r\ndir1=C:\\x\r\ndir2=C:\\keep\r\ndir3=c:\\X\r\n");
  EXPECT_FALSE(admins_.DelPublicDir(u"C:\\x"));
  EXPECT_EQ(admins_.ErrorMsg, u"The directory does not exist");
  EXPECT_EQ(StoredDirs(), (Dirs{u"dir1=C:\\keep"}));
}

TEST_F(AdminsTest, NewKeyNeverReplacesAnEntryOfAGappedSection) {
  ReplaceAfterVantrelSection("[PublicDir]\r\ndir1=C:\\one\r\nDIR3=C:\\three\r\n");  // edited by hand
  ASSERT_TRUE(admins_.AddPublicDir(u"C:\\new"));
  EXPECT_EQ(StoredDirs(), (Dirs{u"dir1=C:\\one", u"DIR3=C:\\three", u"dir4=C:\\new"}));
}

TEST_F(AdminsTest, EmptyOrUnstorableDirectoryIsRefused) {
  const std::string before = Settings();
  EXPECT_FALSE(admins_.AddPublicDir(u""));
  EXPECT_EQ(admins_.ErrorMsg, u"The directory is empty");
  EXPECT_FALSE(admins_.AddPublicDir(u"D:\\pub\r\ndir9=D:\\"));
  EXPECT_EQ(admins_.ErrorMsg.rfind(u"The directory is refused: ", 0), 0u);
  EXPECT_FALSE(admins_.AddPublicDir(u"  "));
  EXPECT_FALSE(admins_.AddPublicDir(u"'D:\\q'"));
  EXPECT_EQ(Settings(), before);
}

TEST_F(AdminsTest, PublicDirectoryOperationsNeedTheSystemAdministrator) {
  classes::AdminOfAdmin page;
  page.Administrator = u"Vantrel";
  page.Password = u"wrong";
  const std::string before = Settings();
  EXPECT_FALSE(page.GetPublicDir());
  EXPECT_EQ(page.ErrorMsg, u"You have no right!");
  EXPECT_FALSE(page.AddPublicDir(u"D:\\pub"));
  EXPECT_EQ(page.ErrorMsg, u"You have no right!");
  EXPECT_FALSE(page.DelPublicDir(u"C:\\Vantrel"));
  EXPECT_EQ(page.ErrorMsg, u"You have no right!");
  EXPECT_EQ(Settings(), before);
}

TEST_F(AdminsTest, APublicDirectoryOpensItsFoldersToEveryDomainAdministrator) {
  ASSERT_TRUE(admins_.AddAdmin(u"sales", u"Pa55", 2, u"D:\\ftp\\sales"));
  EXPECT_TRUE(admin::CheckDirRight(u"sales", u"Pa55", u"D:\\ftp\\sales\\in"));
  EXPECT_FALSE(admin::CheckDirRight(u"sales", u"Pa55", u"E:\\shared\\docs"));
  ASSERT_TRUE(admins_.AddPublicDir(u"E:\\Shared"));
  EXPECT_TRUE(admin::CheckDirRight(u"sales", u"Pa55", u"E:\\shared\\docs"));
  EXPECT_TRUE(admin::CheckDirRight(u"", u"", u"e:\\SHARED"));
  EXPECT_FALSE(admin::CheckDirRight(u"sales", u"Pa55", u"E:\\Sharedother")) << "only below the folder";
  ASSERT_TRUE(admins_.DelPublicDir(u"E:\\Shared"));
  EXPECT_FALSE(admin::CheckDirRight(u"sales", u"Pa55", u"E:\\shared\\docs"));
}

}  // namespace
}  // namespace vantrel::testing
