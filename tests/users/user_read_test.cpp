// User.GetUser, GetRole and Reload.
#include <gtest/gtest.h>

#include <tuple>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

class UserReadTest : public UsersTest {
 protected:
  UserReadTest() {
    WriteServerFile(
        "[Domain1]\r\nUser1=alice|1|0\r\nUser2=nosection|0|1072915200\r\n"
        "[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\nPassword=ab0123456789ABCDEF0123456789ABCDEF\r\n"
        "TimeOut=600\r\nAccess1=D:\\in|WRRx\r\nAccess2=C:\\pub|rwl\r\nLoginMesFile=C:\\msg.txt\r\nRelPaths=1\r\n"
        "ChangePassword=yes\r\nDiskQuota=1|5000|0\r\nMaxUsersLoginPerIP=2\r\nMaxNrUsers=10\r\nSpeedLimitUp=100\r\n"
        "SpeedLimitDown=200\r\nSessionTimeOut=3600\r\n");
  }
};

TEST_F(UserReadTest, ReadsEveryKeyAndRecomposesRules) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"ALICE", 1));
  EXPECT_EQ(user->UserName, u"ALICE");  // as given; the section name ignores letter case
  EXPECT_EQ(user->HomeDir, u"C:\\ftp\\alice");
  EXPECT_EQ(user->Password(), u"Encrypted");
  EXPECT_EQ(user->StoredPassword(), u"ab0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(user->LoginMesFile, u"C:\\msg.txt");
  EXPECT_TRUE(user->RelPaths);
  EXPECT_FALSE(user->ChangePassword);  // only "1" is True
  EXPECT_TRUE(user->EnableDiskQuota);
  EXPECT_EQ(user->DiskQuotaSize, 5000);
  EXPECT_EQ(std::tuple(user->TimeOut, user->MaxUsersLoginPerIP, user->MaxNrUsers), std::tuple(600, 2, 10));
  EXPECT_EQ(std::tuple(user->SpeedLimitUp, user->SpeedLimitDown, user->SessionTimeOut), std::tuple(100, 200, 3600));
  auto rules = user->DirAccessProperty.Get();
  ASSERT_EQ(rules->Count(), 2);
  EXPECT_EQ(rules->Item(Variant(std::int32_t{1}))->Accesses, u"D:\\in|RW");
  EXPECT_EQ(rules->Item(Variant(std::int32_t{2}))->Accesses, u"C:\\pub|");
}

TEST_F(UserReadTest, AccountWithoutSectionHasDefaultsAndNothingOfTheLastOne) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"alice", 1));
  ASSERT_TRUE(user->GetUser(u"nosection", 1));
  EXPECT_EQ(user->HomeDir + user->Password() + user->StoredPassword() + user->LoginMesFile, u"");
  EXPECT_EQ(user->TimeOut + user->MaxNrUsers + user->SessionTimeOut + user->DiskQuotaSize, 0);
  EXPECT_FALSE(user->RelPaths || user->EnableDiskQuota);
  EXPECT_EQ(user->DirAccessProperty.Get()->Count(), 0);
  EXPECT_TRUE(user->Disable && user->Expire);  // from the list line
}

TEST_F(UserReadTest, FailuresChangeNoAccountSetting) {
  auto user = SystemUser();
  user->HomeDir = u"kept";
  EXPECT_FALSE(user->GetUser(u" alice ", 1));  // the argument is not trimmed for the search
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_FALSE(user->GetUser(u"", 1));
  EXPECT_EQ(user->ErrorMsg, u"Username can not be empty");
  WriteServerFile("[Domain1]\r\nUser1=alice|1|0\r\n[USER=alice|1]\r\nHomeDir=C:\\x\r\nTimeOut=99999\r\n");
  try {
    user->GetUser(u"alice", 1);
    ADD_FAILURE() << "TimeOut beyond 16 bits was accepted";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), automation::kOverflow);
  }
  EXPECT_EQ(user->HomeDir, u"kept");
}

TEST_F(UserReadTest, RoleAndReload) {
  auto admin = DomainAdminUser(2, u"C:\\ftp");
  admin->ServUPath = u"/nowhere";
  admin->AdminPassword = u"SECRET";  // domain passwords ignore letter case
  EXPECT_EQ(admin->GetRole(2), 1);
  EXPECT_EQ(admin->GetRole(1), 2);
  EXPECT_EQ(SystemUser()->GetRole(5), 0);
  EXPECT_FALSE(admin->Reload());
  EXPECT_EQ(admin->ErrorMsg, u"ServUPath error");
  admin->AdminPassword = u"";  // Reload checks no rights
  admin->ServUPath = SystemUser()->ServUPath;
  ASSERT_TRUE(admin->Reload());
  EXPECT_EQ(Value(u"GLOBAL", u"ReloadSettings"), u"true");
}

}  // namespace
}  // namespace vantrel::testing
