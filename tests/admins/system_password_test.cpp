// Changing the system administrator's name and password, and the checks that
// follow.
#include <gtest/gtest.h>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "admins_fixture.hpp"

namespace vantrel::testing {
namespace {

TEST_F(AdminsTest, NewCredentialsPassAndOldOnesNoLonger) {
  ASSERT_TRUE(admins_.ChangeSystemPassword(u"VANTREL", u"KelpMoor", u"Root", u"n3w-Pass"));
  const std::u16string stored = admin::ReadSetting(admin::kVantrelSection, u"Password");
  EXPECT_EQ(stored.size(), 34u) << "two salt letters and 32 digest digits";
  EXPECT_EQ(admin::ReadSetting(admin::kVantrelSection, u"Administrator"), u"Root");
  EXPECT_TRUE(admin::CheckSystemAdmin(u"root", u"n3w-Pass"));
  EXPECT_TRUE(admin::CheckSystemAdmin(u"ROOT", u"n3w-Pass"));
  EXPECT_FALSE(admin::CheckSystemAdmin(u"Root", u"N3W-PASS"));
  EXPECT_FALSE(admin::CheckSystemAdmin(u"Vantrel", u"KelpMoor"));
}

TEST_F(AdminsTest, TheSameObjectNeedsTheNewCredentialsAfterwards) {
  ASSERT_TRUE(admins_.ChangeSystemPassword(u"Vantrel", u"KelpMoor", u"Vantrel", u"other"));
  EXPECT_EQ(admins_.Password, u"KelpMoor") << "the object's own credentials are not touched";
  EXPECT_FALSE(admins_.GetAdminList());
  EXPECT_EQ(admins_.ErrorMsg, u"You have no right!");
  admins_.Password = u"other";
  EXPECT_TRUE(admins_.GetAdminList());
}

TEST_F(AdminsTest, WrongOldCredentialsWriteNothingAndLeaveTheMessage) {
  admins_.Password = u"wrong";
  ASSERT_FALSE(admins_.GetPublicDir());  // leaves "You have no right!"
  const std::string before = Settings();
  EXPECT_FALSE(admins_.ChangeSystemPassword(u"Vantrel", u"kelpmoor", u"x", u"y"));
  EXPECT_FALSE(admins_.ChangeSystemPassword(u"Someone", u"KelpMoor", u"x", u"y"));
  EXPECT_EQ(admins_.ErrorMsg, u"You have no right!") << "the message of the earlier operation";
  EXPECT_EQ(Settings(), before);
}


TEST_F(AdminsTest, ANameThatWouldNotReadBackIsRefused) {
  const std::string before = Settings();
  EXPECT_FALSE(admins_.ChangeSystemPassword(u"Vantrel", u"KelpMoor", u"me\r\n[PublicDir]", u"x"));
  EXPECT_EQ(admins_.ErrorMsg.rfind(u"NewAdministrator is refused: ", 0), 0u);
  EXPECT_FALSE(admins_.ChangeSystemPassword(u"Vantrel", u"KelpMoor", u"me ", u"x"));
  EXPECT_EQ(Settings(), before) << "neither the name nor the password was written";
  EXPECT_TRUE(admin::CheckSystemAdmin(u"Vantrel", u"KelpMoor"));
}


}  // namespace
}  // namespace vantrel::testing
