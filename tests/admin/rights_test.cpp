#include "admin/rights.hpp"

#include <gtest/gtest.h>

#include "automation/error.hpp"
#include "storage/codepage.hpp"
#include "storage/password.hpp"
#include "temp_root.hpp"

namespace vantrel::admin {
namespace {

using testing::TempRoot;

std::string Salted(std::u16string_view password) { return storage::ToAnsi(storage::MakeSaltedPassword(password)); }

// A settings file with the system administrator Vantrel/secret, domain
// administrators for domains 2 and 3, and one public directory.
class RightsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.WriteSettings("[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=" + Salted(u"secret") +
                        "\r\n[PrivateDir]\r\nsales=Pa55|2|D:\\ftp\\sales\r\nnopass=|3|D:\\ftp\\nopass\r\n"
                        "zero=pw|01|D:\\ftp\\zero\r\n[PublicDir]\r\ndir1=C:\\Vantrel\r\n");
  }
  TempRoot root_;
};

TEST_F(RightsTest, SystemAdministratorNameIgnoresCasePasswordDoesNot) {
  EXPECT_TRUE(CheckSystemAdmin(u"VANTREL", u"secret"));
  EXPECT_TRUE(CheckSystemAdmin(u"vantrel", u"secret"));
  EXPECT_FALSE(CheckSystemAdmin(u"Vantrel", u"SECRET"));
  EXPECT_FALSE(CheckSystemAdmin(u"Other", u"secret"));
  EXPECT_FALSE(CheckSystemAdmin(u"Vantrel", u""));
}

TEST_F(RightsTest, ShortOrEmptyStoredPasswordNeverPasses) {
  root_.WriteSettings("[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=a\r\n");
  EXPECT_FALSE(CheckSystemAdmin(u"Vantrel", u""));
  EXPECT_FALSE(CheckSystemAdmin(u"Vantrel", u"a"));
  root_.WriteSettings("[Vantrel]\r\nAdministrator=Vantrel\r\n");
  EXPECT_FALSE(CheckSystemAdmin(u"Vantrel", u""));
}

TEST_F(RightsTest, DomainRightMatrix) {
  EXPECT_TRUE(CheckDomainRight(u"Vantrel", u"secret", 7));   // system administrator: any domain
  EXPECT_TRUE(CheckDomainRight(u"sales", u"pA55", 2));       // domain password ignores case
  EXPECT_TRUE(CheckDomainRight(u"SALES", u"Pa55", 2));       // key names ignore case
  EXPECT_FALSE(CheckDomainRight(u"sales", u"Pa55", 1));      // wrong domain
  EXPECT_FALSE(CheckDomainRight(u"sales", u"wrong", 2));     // wrong password
  EXPECT_FALSE(CheckDomainRight(u"zero", u"pw", 1));         // "01" is not the text of 1
  EXPECT_FALSE(CheckDomainRight(u"nopass", u"", 3));         // empty password never passes
  EXPECT_FALSE(CheckDomainRight(u"nobody", u"x", 2));
}

TEST_F(RightsTest, RoleAdmitsAnEmptyPasswordOnAnEmptyField) {
  EXPECT_EQ(CallerRole(u"vantrel", u"secret", 1), Role::SystemAdmin);
  EXPECT_EQ(CallerRole(u"sales", u"PA55", 2), Role::DomainAdmin);
  EXPECT_EQ(CallerRole(u"nopass", u"", 3), Role::DomainAdmin);
  EXPECT_EQ(CallerRole(u"sales", u"PA55", 3), Role::None);
  EXPECT_EQ(CallerRole(u"", u"", 1), Role::None);
}

TEST_F(RightsTest, MalformedEntryFailsWithAnAutomationError) {
  root_.WriteSettings("[PrivateDir]\r\nbroken=onlypassword\r\nshort=pw|2\r\n");
  try {
    CheckDomainRight(u"broken", u"onlypassword", 2);
    FAIL() << "expected an automation error";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), 9);
  }
  EXPECT_TRUE(CheckDomainRight(u"short", u"pw", 2));  // two fields are enough for this check
  EXPECT_THROW(CheckDirRight(u"short", u"pw", u"d:\\x"), automation::AutomationError);
}

TEST_F(RightsTest, NoSettingsFileGrantsNothing) {
  std::filesystem::remove(root_.WindowsFolder() / "Vantrel.ini");
  EXPECT_FALSE(CheckSystemAdmin(u"", u""));
  EXPECT_FALSE(CheckDomainRight(u"sales", u"Pa55", 2));
  EXPECT_FALSE(CheckDirRight(u"", u"", u"c:\\vantrel\\pub"));
  EXPECT_EQ(CallerRole(u"", u"", 1), Role::None);
  EXPECT_FALSE(std::filesystem::exists(root_.WindowsFolder() / "Vantrel.ini"));  // reads create nothing
}

TEST_F(RightsTest, DirectoryRight) {
  EXPECT_TRUE(CheckDirRight(u"sales", u"Pa55", u"D:\\FTP\\SALES\\in"));
  EXPECT_FALSE(CheckDirRight(u"sales", u"Pa55", u"d:\\ftp\\other"));
  EXPECT_TRUE(CheckDirRight(u"", u"", u"c:\\vantrel\\pub"));                     // public, no credentials
  EXPECT_TRUE(CheckDirRight(u"sales", u"Pa55", u"C:/Vantrel/Pub/x"));
  EXPECT_TRUE(CheckDirRight(u"Vantrel", u"secret", u"e:\\anything"));
  EXPECT_FALSE(CheckDirRight(u"Vantrel", u"secret", u"\\\\server\\share"));
  EXPECT_FALSE(CheckDirRight(u"Vantrel", u"secret", u"relative\\path"));
  EXPECT_FALSE(CheckDirRight(u"Vantrel", u"wrong", u"e:\\anything"));
}

TEST_F(RightsTest, EmptyPublicDirectoryAdmitsNothing) {
  root_.WriteSettings("[PublicDir]\r\ndir1=\r\n[PrivateDir]\r\nempty=pw|1|\r\n");
  EXPECT_FALSE(CheckDirRight(u"", u"", u"c:\\windows"));
  EXPECT_FALSE(CheckDirRight(u"empty", u"pw", u"c:\\windows"));
}

}  // namespace
}  // namespace vantrel::admin
