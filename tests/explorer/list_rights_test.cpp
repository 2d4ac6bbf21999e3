// Explorer.List: who may list which folder, and what a refusal leaves behind.
#include <gtest/gtest.h>

#include "admin/settings_file.hpp"
#include "automation/error.hpp"
#include "automation/text.hpp"
#include "explorer_fixture.hpp"

namespace vantrel::testing {
namespace {

constexpr char16_t kRightLimited[] = u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword";
constexpr char16_t kNoDirRight[] = u"The HomeDir has no right!";

TEST_F(ExplorerTest, WithoutCredentialsNothingIsListedAndEarlierResultsStay) {
  FileOf(Drive('d', "ftp\\sales\\x.txt"));
  SignInAsSystem();
  explorer_.CurrentDir = u"D:\\ftp\\sales";
  ASSERT_TRUE(explorer_.List());
  auto files = explorer_.FileProperty.Get();

  explorer_.AdminPassword = u"kelpmoor";
  EXPECT_FALSE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, kRightLimited);
  EXPECT_EQ(explorer_.FileProperty.Get(), files);
  EXPECT_EQ(files->Count(), 1);

  explorer_.AdminName = u"";
  explorer_.AdminPassword = u"";
  explorer_.CurrentDir = u"";  // the rights come first
  EXPECT_FALSE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, kRightLimited);
}

TEST_F(ExplorerTest, DomainAdministratorListsItsRootUnderItsOwnDomain) {
  FileOf(Drive('d', "ftp\\sales\\in\\order.txt"));
  SignInAsSales();
  explorer_.CurrentDir = u"D:\\FTP\\Sales\\in";
  EXPECT_TRUE(explorer_.List()) << "its entry holds domain 2, not 0";
  EXPECT_EQ(explorer_.ErrorMsg, u"");
  EXPECT_EQ(explorer_.FileProperty.Get()->Count(), 1);

  explorer_.AdminPassword = u"wrong";
  EXPECT_FALSE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, kRightLimited);
  explorer_.AdminPassword = u"";
  EXPECT_FALSE(explorer_.List()) << "an empty password never passes";
}

TEST_F(ExplorerTest, DomainFieldThatIsNotTheLibrarysDecimalTextPassesNoCheck) {
  ASSERT_TRUE(admin::WriteSetting(admin::kPrivateDirSection, u"odd", u"p|02|D:\\ftp\\sales"));
  explorer_.AdminName = u"odd";
  explorer_.AdminPassword = u"p";
  explorer_.CurrentDir = u"D:\\ftp\\sales";
  EXPECT_FALSE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, kRightLimited);
}


TEST_F(ExplorerTest, FolderOutsideTheRootIsRefused) {
  Folder(Drive('d', "ftp\\salesold"));
  SignInAsSales();
  for (const char16_t* dir : {u"D:\\ftp\\salesold", u"D:\\ftp", u"D:\\ftp\\sales\\..\\other", u"E:\\"}) {
    explorer_.CurrentDir = dir;
    EXPECT_FALSE(explorer_.List()) << automation::ToUtf8(dir);
    EXPECT_EQ(explorer_.ErrorMsg, kNoDirRight);
  }
}

TEST_F(ExplorerTest, FileSpecThatLeadsOutOfTheFolderMustBeWithinReachToo) {
  FileOf(Drive('d', "ftp\\secret.txt"));
  FileOf(Drive('d', "ftp\\sales\\sub\\a.txt"));
  FileOf(Drive('d', "ftp\\sales\\sub\\b.log"));
  SignInAsSales();
  explorer_.CurrentDir = u"D:\\ftp\\sales";
  for (const char16_t* spec : {u"..\\*.*", u"sub\\..\\..\\*.txt", u"../*"}) {
    EXPECT_FALSE(explorer_.List(spec)) << automation::ToUtf8(spec);
    EXPECT_EQ(explorer_.ErrorMsg, kNoDirRight);
  }
  ASSERT_TRUE(explorer_.List(u"sub\\*.txt"));
  auto files = explorer_.FileProperty.Get();
  ASSERT_EQ(files->Count(), 1);
  EXPECT_EQ(files->Item(automation::Variant(std::int32_t{1}))->FileName, u"a.txt");

  SignInAsSystem();  // the system administrator may go anywhere on a drive
  ASSERT_TRUE(explorer_.List(u"..\\*.txt"));
  EXPECT_EQ(explorer_.FileProperty.Get()->Item(automation::Variant(u"SECRET.TXT"))->FileName, u"secret.txt");
}


TEST_F(ExplorerTest, EntryWithTooFewFieldsFailsTheCallWithAnError) {
  ASSERT_TRUE(admin::WriteSetting(admin::kPrivateDirSection, u"broken", u"p"));
  explorer_.AdminName = u"broken";
  explorer_.AdminPassword = u"p";
  explorer_.CurrentDir = u"D:\\ftp";
  EXPECT_THROW(explorer_.List(), automation::AutomationError);
}

}  // namespace
}  // namespace vantrel::testing
