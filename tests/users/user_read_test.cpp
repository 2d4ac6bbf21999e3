// User.GetUser, GetRole and Reload.
#include <gtest/gtest.h>

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
        "[GLOBAL]\r\nVersion=6.4.0.1\r\n\r\n[Domain1]\r\nUser1=alice|1|0\r\nUser2=bob|0|1072915200\r\n"
        "User3=nosection|0|0\r\n\r\n"
        "[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\nPassword=ab0123456789ABCDEF0123456789ABCDEF\r\n"
        "TimeOut=600\r\nAccess1=C:\\ftp\\alice|RWAMLCDP\r\nAccess2=D:\\in|WRRx\r\nAccess3=C:\\pub|rwl\r\n"
        "LoginMesFile=C:\\msg.txt\r\nRelPaths=1\r\nChangePassword=yes\r\nDiskQuota=1|5000|0\r\n"
        "MaxUsersLoginPerIP=2\r\nMaxNrUsers=10\r\nSpeedLimitUp=100\r\nSpeedLimitDown=200\r\nSessionTimeOut=3600\r\n\r\n"
        "[USER=bob|1]\r\nHomeDir=C:\\ftp\\bob\r\nDiskQuota=0|77|0\r\nRelPaths=0\r\n");
  }
};

TEST_F(UserReadTest, ReadsEveryKeyOfTheSection) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"alice", 1));
  EXPECT_EQ(user->UserName, u"alice");
  EXPECT_EQ(user->HomeDir, u"C:\\ftp\\alice");
  EXPECT_EQ(user->Password(), u"Encrypted");
  EXPECT_EQ(user->StoredPassword(), u"ab0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(user->TimeOut, 600);
  EXPECT_EQ(user->LoginMesFile, u"C:\\msg.txt");
  EXPECT_TRUE(user->RelPaths);
  EXPECT_FALSE(user->ChangePassword);  // only "1" is True
  EXPECT_TRUE(user->EnableDiskQuota);
  EXPECT_EQ(user->DiskQuotaSize, 5000);
  EXPECT_EQ(user->MaxUsersLoginPerIP, 2);
  EXPECT_EQ(user->MaxNrUsers, 10);
  EXPECT_EQ(user->SpeedLimitUp, 100);
  EXPECT_EQ(user->SpeedLimitDown, 200);
  EXPECT_EQ(user->SessionTimeOut, 3600);
  EXPECT_FALSE(user->Disable);
  EXPECT_FALSE(user->Expire);
}

TEST_F(UserReadTest, AccessLinesBecomeRulesInCanonicalForm) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"alice", 1));
  auto rules = user->DirAccessProperty.Get();
  ASSERT_EQ(rules->Count(), 3);
  auto full = rules->Item(Variant(std::int32_t{1}));
  EXPECT_EQ(full->Accesses, u"C:\\ftp\\alice|RWAMLCDP");
  EXPECT_FALSE(full->FilesExecute);
  EXPECT_TRUE(full->SubDirInherit);
  auto in = rules->Item(Variant(std::int32_t{2}));
  EXPECT_EQ(in->Directory, u"D:\\in");
  EXPECT_EQ(in->Accesses, u"D:\\in|RW");
  EXPECT_TRUE(in->FilesRead && in->FilesWrite);
  EXPECT_FALSE(in->DirList);
  EXPECT_EQ(rules->Item(Variant(std::int32_t{3}))->Accesses, u"C:\\pub|");
}

TEST_F(UserReadTest, ListLineGivesFlagsAndExpiry) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  EXPECT_TRUE(user->Disable);
  EXPECT_TRUE(user->Expire);
  EXPECT_NEAR(user->ExpireDate.value, automation::MakeDate(2004, 1, 1, 8).value, 1e-9);
  EXPECT_FALSE(user->EnableDiskQuota);  // "0|..." is disabled, size 0
  EXPECT_EQ(user->DiskQuotaSize, 0);
  EXPECT_FALSE(user->RelPaths);
}

TEST_F(UserReadTest, NothingOfTheEarlierAccountSurvives) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"alice", 1));
  ASSERT_TRUE(user->GetUser(u"nosection", 1));
  EXPECT_EQ(user->UserName, u"nosection");
  EXPECT_EQ(user->HomeDir, u"");
  EXPECT_EQ(user->Password(), u"");
  EXPECT_EQ(user->StoredPassword(), u"");
  EXPECT_EQ(user->TimeOut, 0);
  EXPECT_EQ(user->SessionTimeOut, 0);
  EXPECT_EQ(user->MaxNrUsers, 0);
  EXPECT_FALSE(user->RelPaths);
  EXPECT_FALSE(user->EnableDiskQuota);
  EXPECT_EQ(user->DirAccessProperty.Get()->Count(), 0);
  EXPECT_TRUE(user->Disable);  // from the list line
}

TEST_F(UserReadTest, NameMatchesWithoutLetterCaseButUntrimmed) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"ALICE", 1));
  EXPECT_EQ(user->UserName, u"ALICE");
  EXPECT_EQ(user->HomeDir, u"C:\\ftp\\alice");  // section names ignore letter case
  user->HomeDir = u"kept";
  EXPECT_FALSE(user->GetUser(u" alice ", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_EQ(user->HomeDir, u"kept");
}

TEST_F(UserReadTest, ChecksRunInOrder) {
  auto user = SystemUser();
  user->AdminPassword = u"kelpmoor";  // the system password keeps its letter case
  EXPECT_FALSE(user->GetUser(u"", 1));
  EXPECT_EQ(user->ErrorMsg, u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword");
  user->AdminPassword = kSystemPassword;
  user->ServUPath = u"/nowhere";
  EXPECT_FALSE(user->GetUser(u"", 1));
  EXPECT_EQ(user->ErrorMsg, u"Username can not be empty");
  EXPECT_FALSE(user->GetUser(u"alice", 1));
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
}

TEST_F(UserReadTest, MalformedValueRaisesAndLeavesTheAccount) {
  WriteServerFile("[Domain1]\r\nUser1=alice|1|0\r\n[USER=alice|1]\r\nHomeDir=C:\\x\r\nTimeOut=99999\r\n");
  auto user = SystemUser();
  user->HomeDir = u"before";
  try {
    user->GetUser(u"alice", 1);
    ADD_FAILURE() << "TimeOut beyond 16 bits was accepted";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), automation::kOverflow);
  }
  EXPECT_EQ(user->HomeDir, u"before");
  WriteServerFile("[Domain1]\r\nUser1=alice|1|0\r\n[USER=alice|1]\r\nAccess1=C:\\x\r\n");
  EXPECT_THROW(user->GetUser(u"alice", 1), automation::AutomationError);
}

TEST_F(UserReadTest, RoleNeedsNoServerFile) {
  auto user = SystemUser();
  user->ServUPath = u"/nowhere";
  user->ErrorMsg = u"left";
  EXPECT_EQ(user->GetRole(1), 0);
  EXPECT_EQ(user->ErrorMsg, u"left");
  auto admin = DomainAdminUser(2, u"C:\\ftp");
  EXPECT_EQ(admin->GetRole(2), 1);
  EXPECT_EQ(admin->GetRole(1), 2);
  admin->AdminPassword = u"SECRET";  // domain passwords ignore letter case
  EXPECT_EQ(admin->GetRole(2), 1);
}

TEST_F(UserReadTest, ReloadWritesTheSignalWithoutRights) {
  auto user = SystemUser();
  user->AdminPassword = u"";
  ASSERT_TRUE(user->Reload());
  EXPECT_EQ(Value(u"GLOBAL", u"ReloadSettings"), u"true");
  user->ServUPath = u"/nowhere";
  EXPECT_FALSE(user->Reload());
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
}

}  // namespace
}  // namespace vantrel::testing
