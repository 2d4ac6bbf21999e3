#include "admin/rights.hpp"

#include <gtest/gtest.h>

#include "automation/error.hpp"
#include "automation/text.hpp"
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

// The role table is golden cases (tests/cases/admins/rights.case); the
// right check differs from it in one rule.
TEST_F(RightsTest, DomainRightNeverPassesAnEmptyPassword) {
  EXPECT_FALSE(CheckDomainRight(u"nopass", u"", 3));
  EXPECT_TRUE(CheckDomainRight(u"sales", u"pA55", 2));
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

TEST_F(RightsTest, NoSettingsFileGrantsNoDirectory) {
  std::filesystem::remove(root_.WindowsFolder() / "Vantrel.ini");
  EXPECT_FALSE(CheckDirRight(u"", u"", u"c:\\vantrel\\pub"));
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

// Where a path really leads counts: links inside a root or public folder,
// ".." and letter case lead nowhere outside it.
TEST_F(RightsTest, DirectoryRightFollowsLinksToTheirRealLocation) {
  namespace fs = std::filesystem;
  const fs::path ftp = root_.path() / "drives/d/ftp", pub = root_.path() / "drives/c/Vantrel";
  for (const char* dir : {"sales/sub", "other", "SALES"}) fs::create_directories(ftp / dir);
  fs::create_directories(pub);
  fs::create_directory_symlink(ftp / "other", ftp / "sales/out");
  fs::create_directory_symlink("/etc", ftp / "sales/etc");
  fs::create_directory_symlink(ftp / "other/new", ftp / "sales/dangling");
  fs::create_directory_symlink(ftp / "sales/sub", ftp / "sales/in");
  fs::create_directory_symlink("/etc", pub / "etc");
  const struct {
    const char16_t* path;
    bool admitted;
  } cases[] = {
      {u"d:\\ftp\\sales\\out", false},        {u"d:\\ftp\\sales\\out\\new\\deeper", false},
      {u"d:\\ftp\\sales\\etc", false},        {u"D:\\FTP\\Sales\\Etc\\passwd", false},
      {u"d:\\ftp\\sales\\dangling", false},   {u"d:\\ftp\\SALES\\x", false},  // another folder on disk
      {u"d:\\ftp\\sales\\in\\x", true},       {u"d:\\ftp\\sales\\out\\..\\sub", true},
      {u"d:\\ftp\\sales\\New\\Deeper", true}, {u"d:\\ftp\\sales", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckDirRight(u"sales", u"Pa55", c.path), c.admitted) << automation::ToUtf8(c.path);
  }
  EXPECT_FALSE(CheckDirRight(u"", u"", u"c:\\vantrel\\etc"));
  EXPECT_TRUE(CheckDirRight(u"Vantrel", u"secret", u"d:\\ftp\\sales\\etc"));  // any drive path
}

TEST_F(RightsTest, EmptyPublicDirectoryAdmitsNothing) {
  root_.WriteSettings("[PublicDir]\r\ndir1=\r\n[PrivateDir]\r\nempty=pw|1|\r\n");
  EXPECT_FALSE(CheckDirRight(u"", u"", u"c:\\windows"));
  EXPECT_FALSE(CheckDirRight(u"empty", u"pw", u"c:\\windows"));
}

}  // namespace
}  // namespace vantrel::admin
