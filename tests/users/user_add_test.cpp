// User.AddUser: checks in order, the keys written and their order, access
// rules, the free list key, stale sections, and refusals that write nothing.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

class UserAddTest : public UsersTest {
 protected:
  UserAddTest() { WriteServerFile("[Domain1]\r\nUser1=alice|1|0\r\n[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\n"); }
  std::u16string Erin(const std::u16string& key) const { return Value(u"USER=erin|1", key); }
};

TEST_F(UserAddTest, WritesListLineAndSectionInFixedOrder) {
  auto user = SystemUser();
  user->UserName = u"  erin ";
  user->SetPassword(u"pw");
  user->HomeDir = u"C:\\ftp\\erin";
  user->TimeOut = 300;
  user->DirAccessProperty.Get()->Add(u"C:\\ftp\\erin\\in");
  user->RelPaths = user->ChangePassword = user->EnableDiskQuota = true;
  user->DiskQuotaSize = 1000;
  user->MaxUsersLoginPerIP = 3;
  user->MaxNrUsers = 4;
  user->SpeedLimitUp = 5;
  user->SpeedLimitDown = 6;
  user->SessionTimeOut = 7;
  user->Expire = true;
  user->ExpireDate = automation::MakeDate(2004, 1, 1, 8);
  ASSERT_TRUE(user->AddUser(1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"erin|1|1072915200");
  EXPECT_EQ(Keys(u"USER=erin|1"),
            u"HomeDir;Password;TimeOut;Access1;LoginMesFile;RelPaths;ChangePassword;DiskQuota;MaxUsersLoginPerIP;"
            u"MaxNrUsers;SpeedLimitUp;SpeedLimitDown;SessionTimeOut");
  EXPECT_EQ(Erin(u"Password"), user->StoredPassword());
  EXPECT_EQ(Erin(u"Access1"), u"C:\\ftp\\erin\\in|RLP");
  EXPECT_EQ(Erin(u"LoginMesFile"), automation::FromUtf8((root_ / "Windows").string()) + u"\\Vantrel.txt");
  EXPECT_EQ(Erin(u"DiskQuota") + Erin(u"SessionTimeOut"), u"1|1000|07");
  EXPECT_TRUE(std::filesystem::is_directory(DriveFolder(root_, 'c', "ftp/erin/in")));
  EXPECT_EQ(user->UserListProperty.Get()->Count(), 1);  // the list as read, without erin
}

TEST_F(UserAddTest, DefaultsWriteOnlyTheAlwaysKeys) {
  auto user = SystemUser();
  user->UserName = u"erin";
  user->Disable = true;
  user->SetPassword(u"pw");
  user->SetPassword(u"");  // the stored password stays, but the empty property writes none
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"erin|0|0");
  EXPECT_EQ(Keys(u"USER=erin|1"), u"HomeDir;TimeOut;LoginMesFile");
  EXPECT_EQ(Erin(u"HomeDir") + u";" + Erin(u"TimeOut"), u"C:\\Vantrel\\Pub;0");
}

TEST_F(UserAddTest, ChecksRunInOrderAndWriteNothing) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  user->AdminPassword = u"bad";
  user->UserName = u"   ";
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword");
  user->AdminPassword = kSystemPassword;
  user->ServUPath = u"/nowhere";
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"Username can not be empty");
  user->UserName = u" ALICE ";
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
  user->ServUPath = SystemUser()->ServUPath;
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"This username exists already");
  auto boss = DomainAdminUser(1, u"C:\\ftp\\boss");
  boss->UserName = u"erin";
  boss->HomeDir = u"C:\\ftp\\bossy";  // not below the root at a folder boundary
  EXPECT_FALSE(boss->AddUser(1));
  EXPECT_EQ(boss->ErrorMsg, u"The HomeDir has no right!");
  EXPECT_EQ(ReadServerFile(), before);
}

TEST_F(UserAddTest, RefusedRulesAreSkippedWithoutGapAndWrittenDirectoryIsChecked) {
  auto user = DomainAdminUser(1, u"C:\\ftp\\boss");
  user->UserName = u"erin";
  user->HomeDir = u"C:\\ftp\\boss\\erin";
  auto rules = user->DirAccessProperty.Get();
  rules->Add(u"C:\\other");
  rules->Add(u"C:\\ftp\\boss\\..\\..\\escape");
  rules->Add(u"C:\\ftp\\boss\\x")->Accesses = u"C:\\secret|RWAMLCDP";  // changed after Add
  rules->Add(u"C:\\ftp\\boss\\y")->Accesses = u"C:\\ftp\\boss\\z|RL";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Erin(u"Access1"), u"C:\\ftp\\boss\\z|RL");
  EXPECT_EQ(Erin(u"Access2"), u"");
  EXPECT_TRUE(std::filesystem::is_directory(DriveFolder(root_, 'c', "ftp/boss/z")));
  for (const char* refused : {"other", "escape", "secret"})
    EXPECT_FALSE(std::filesystem::exists(DriveFolder(root_, 'c', refused))) << refused;
}

TEST_F(UserAddTest, FirstFreeKeyAndStaleSectionCleared) {
  WriteServerFile("[Domain1]\r\nUser2=bob|1|0\r\nUser7=carol|1|0\r\n"
                  "[USER=ERIN|1]\r\nPassword=zz00000000000000000000000000000000\r\nAccess1=C:\\old|RWAMLCDP\r\n");
  auto user = SystemUser();
  user->UserName = u"erin";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"bob|1|0");  // count + 1 was taken
  EXPECT_EQ(Value(u"Domain1", u"User3"), u"erin|1|0");
  EXPECT_EQ(Keys(u"USER=erin|1"), u"HomeDir;TimeOut;LoginMesFile");
}

TEST_F(UserAddTest, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  const std::string before = ReadServerFile();
  const struct {
    std::u16string name, home, rule, accesses;
    bool expire;
  } cases[] = {{u"a|b", u"", u"", u"", false},
               {u"a]b", u"", u"", u"", false},
               {u"a\r\nUser9=x|1|0", u"", u"", u"", false},
               {u"erin", u"C:\\x\r\n[GLOBAL]", u"", u"", false},
               {u"erin", u"", u"C:\\a|b", u"", false},
               {u"erin", u"", u"C:\\a", u"C:\\a", false},
               {u"erin", u"", u"", u"", true}};
  for (const auto& c : cases) {
    auto user = SystemUser();
    user->UserName = c.name;
    user->HomeDir = c.home;
    if (!c.rule.empty()) {
      auto rule = user->DirAccessProperty.Get()->Add(c.rule);
      if (!c.accesses.empty()) rule->Accesses = c.accesses;
    }
    user->Expire = c.expire;
    user->ExpireDate = automation::MakeDate(2040, 1, 1);  // beyond 32-bit seconds
    EXPECT_FALSE(user->AddUser(1)) << automation::ToUtf8(c.name + c.home + c.rule + c.accesses);
    EXPECT_EQ(user->ErrorMsg.substr(0, 9), u"Refused: ") << automation::ToUtf8(user->ErrorMsg);
  }
  EXPECT_EQ(ReadServerFile(), before);
}

}  // namespace
}  // namespace vantrel::testing
