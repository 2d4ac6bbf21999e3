// User.DelUser and User.ModifyUser: renumbering, exact-name removal, and a
// change that never loses the account.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

class UserChangeTest : public UsersTest {
 protected:
  UserChangeTest() {
    WriteServerFile(
        "[GLOBAL]\r\nVersion=6.4.0.1\r\n\r\n[Domain1]\r\nUser1=alice|1|0\r\nUser2=bob|2|0\r\nNote=x\r\n"
        "User3=carol|1|1072915200\r\n\r\n"
        "[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\nTimeOut=600\r\n\r\n"
        "[USER=bob|1]\r\nHomeDir=C:\\ftp\\bob\r\nPassword=ab0123456789ABCDEF0123456789ABCDEF\r\nTimeOut=5\r\n"
        "Access1=C:\\ftp\\bob|RWLP\r\nAccess2=C:\\ftp\\shared|RL\r\nLoginMesFile=C:\\gone.txt\r\nRelPaths=1\r\n"
        "DiskQuota=1|50|0\r\nMaxNrUsers=9\r\nSpeedLimitUp=8\r\n\r\n"
        "[USER=carol|1]\r\nHomeDir=C:\\ftp\\carol\r\n\r\n"
        "[Domain2]\r\nUser1=bob|1|0\r\n\r\n[USER=bob|2]\r\nHomeDir=C:\\ftp\\bob2\r\n");
  }
};

TEST_F(UserChangeTest, DeleteRenumbersAndRemovesTheSection) {
  auto user = SystemUser();
  ASSERT_TRUE(user->DelUser(u"bob", 1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Keys(u"Domain1"), u"User1;User2");
  EXPECT_EQ(Value(u"Domain1", u"User1"), u"alice|1|0");
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"carol|1|1072915200");
  EXPECT_EQ(Keys(u"USER=bob|1"), u"");
  EXPECT_EQ(Value(u"USER=bob|2", u"HomeDir"), u"C:\\ftp\\bob2");  // other domain untouched
  EXPECT_EQ(Value(u"Domain2", u"User1"), u"bob|1|0");
}

TEST_F(UserChangeTest, DeleteNeedsTheExactNameButRewritesTheList) {
  auto user = SystemUser();
  EXPECT_FALSE(user->DelUser(u"Alice", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"bob|1|0");  // flag 2 written back as 1
  EXPECT_EQ(Keys(u"Domain1"), u"User1;User2;User3");  // Note is not written back
  EXPECT_EQ(Value(u"USER=alice|1", u"HomeDir"), u"C:\\ftp\\alice");
}

TEST_F(UserChangeTest, DeleteChecksInOrder) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  user->AdminName = u"nobody";
  EXPECT_FALSE(user->DelUser(u"", 1));
  EXPECT_EQ(user->ErrorMsg, u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword");
  user->AdminName = kSystemAdmin;
  EXPECT_FALSE(user->DelUser(u"", 1));
  EXPECT_EQ(user->ErrorMsg, u"Username can not be empty");
  user->ServUPath = u"";
  EXPECT_FALSE(user->DelUser(u"bob", 1));
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
  EXPECT_EQ(ReadServerFile(), before);
}

TEST_F(UserChangeTest, ModifyAfterGetKeepsTheAccountAndMovesItLast) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  ASSERT_TRUE(user->ModifyUser(u"bob", 1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Value(u"Domain1", u"User1"), u"alice|1|0");
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"carol|1|1072915200");
  EXPECT_EQ(Value(u"Domain1", u"User3"), u"bob|1|0");
  EXPECT_EQ(Value(u"USER=bob|1", u"Password"), u"ab0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(Value(u"USER=bob|1", u"Access1"), u"C:\\ftp\\bob|RWLP");
  EXPECT_EQ(Value(u"USER=bob|1", u"Access2"), u"C:\\ftp\\shared|RL");
  EXPECT_EQ(Value(u"USER=bob|1", u"TimeOut"), u"5");
  EXPECT_EQ(Value(u"USER=bob|1", u"RelPaths"), u"1");
  EXPECT_EQ(Value(u"USER=bob|1", u"DiskQuota"), u"1|50|0");
  EXPECT_EQ(Value(u"USER=bob|1", u"MaxNrUsers"), u"9");
  EXPECT_EQ(Value(u"USER=bob|1", u"SpeedLimitUp"), u"8");
  // The missing login message file comes back as the default file.
  EXPECT_NE(Value(u"USER=bob|1", u"LoginMesFile"), u"C:\\gone.txt");
  EXPECT_TRUE(Value(u"USER=bob|1", u"LoginMesFile").ends_with(u"Vantrel.txt"));
}

TEST_F(UserChangeTest, ModifyCanRenameAndChangeOneSetting) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  user->UserName = u"robert";
  user->Disable = true;
  ASSERT_TRUE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(Value(u"Domain1", u"User3"), u"robert|0|0");
  EXPECT_EQ(Keys(u"USER=bob|1"), u"");
  EXPECT_EQ(Value(u"USER=robert|1", u"Password"), u"ab0123456789ABCDEF0123456789ABCDEF");
  // Renaming to a letter-case variant of itself is not a clash.
  ASSERT_TRUE(user->GetUser(u"alice", 1));
  user->UserName = u"Alice";
  EXPECT_TRUE(user->ModifyUser(u"alice", 1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Value(u"Domain1", u"User3"), u"Alice|1|0");
}

TEST_F(UserChangeTest, FailedModifyNeverLosesTheAccount) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  user->UserName = u"carol";  // taken by another user
  EXPECT_FALSE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username exists already");
  EXPECT_EQ(ReadServerFile(), before);

  auto boss = DomainAdminUser(1, u"C:\\ftp\\boss");
  ASSERT_TRUE(boss->GetUser(u"bob", 1));
  EXPECT_FALSE(boss->ModifyUser(u"bob", 1));  // bob's home lies outside the root
  EXPECT_EQ(boss->ErrorMsg, u"The HomeDir has no right!");
  EXPECT_EQ(ReadServerFile(), before);

  ASSERT_TRUE(user->GetUser(u"bob", 1));
  user->UserName = u"bo|b";
  EXPECT_FALSE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(user->ErrorMsg.substr(0, 9), u"Refused: ");
  user->UserName = u"  ";
  EXPECT_FALSE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(user->ErrorMsg, u"Username can not be empty");
  EXPECT_EQ(ReadServerFile(), before);
}

TEST_F(UserChangeTest, ModifyFindsWithoutLetterCaseButDeletesOnlyExactly) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  EXPECT_FALSE(user->ModifyUser(u"nobody", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_FALSE(user->ModifyUser(u"BOB", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_EQ(ReadServerFile(), before);
}

TEST_F(UserChangeTest, ModifyDropsRulesTheCallerMayNotGrant) {
  auto boss = DomainAdminUser(1, u"C:\\ftp");
  ASSERT_TRUE(boss->GetUser(u"bob", 1));
  boss->DirAccessProperty.Get()->Add(u"D:\\elsewhere");
  ASSERT_TRUE(boss->ModifyUser(u"bob", 1));
  EXPECT_EQ(Value(u"USER=bob|1", u"Access2"), u"C:\\ftp\\shared|RL");
  EXPECT_EQ(Value(u"USER=bob|1", u"Access3"), u"");
}

}  // namespace
}  // namespace vantrel::testing
