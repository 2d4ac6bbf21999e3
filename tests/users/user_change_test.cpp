// User.DelUser and User.ModifyUser: renumbering, exact-name removal, and a
// change that never loses the account.
#include <gtest/gtest.h>

#include "automation/text.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

constexpr char16_t kBobPassword[] = u"ab0123456789ABCDEF0123456789ABCDEF";

class UserChangeTest : public UsersTest {
 protected:
  UserChangeTest() {
    WriteServerFile(
        "[Domain1]\r\nUser1=alice|1|0\r\nUser2=bob|2|0\r\nNote=x\r\nUser3=carol|1|1072915200\r\n"
        "[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\n"
        "[USER=bob|1]\r\nHomeDir=C:\\ftp\\bob\r\nPassword=ab0123456789ABCDEF0123456789ABCDEF\r\nTimeOut=5\r\n"
        "Access1=C:\\ftp\\bob|RWLP\r\nAccess2=C:\\ftp\\shared|RL\r\nLoginMesFile=C:\\gone.txt\r\nDiskQuota=1|50|0\r\n"
        "[Domain2]\r\nUser1=bob|1|0\r\n[USER=bob|2]\r\nHomeDir=C:\\ftp\\bob2\r\n");
  }
  std::u16string Domain1() const {
    std::u16string lines;
    for (int k = 1; k <= 4; ++k) {
      const std::string key = "User" + std::to_string(k);
      lines += Value(u"Domain1", automation::FromUtf8(key)) + u";";
    }
    return lines;
  }
};

TEST_F(UserChangeTest, DeleteRenumbersAndRemovesOnlyThatSection) {
  auto user = SystemUser();
  ASSERT_TRUE(user->DelUser(u"bob", 1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Domain1(), u"alice|1|0;carol|1|1072915200;;;");
  EXPECT_EQ(Keys(u"USER=bob|1"), u"");
  EXPECT_EQ(Value(u"USER=bob|2", u"HomeDir"), u"C:\\ftp\\bob2");
}

TEST_F(UserChangeTest, DeleteNeedsTheExactNameButRewritesTheList) {
  auto user = SystemUser();
  EXPECT_FALSE(user->DelUser(u"Alice", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_EQ(Domain1(), u"alice|1|0;bob|1|0;carol|1|1072915200;;");  // flag 2 comes back as 1
  EXPECT_EQ(Value(u"Domain1", u"Note"), u"");
  EXPECT_EQ(Value(u"USER=alice|1", u"HomeDir"), u"C:\\ftp\\alice");
}

TEST_F(UserChangeTest, ModifyAfterGetKeepsTheAccountAndMovesItLast) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  ASSERT_TRUE(user->ModifyUser(u"bob", 1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Domain1(), u"alice|1|0;carol|1|1072915200;bob|1|0;;");
  EXPECT_EQ(Keys(u"USER=bob|1"), u"HomeDir;Password;TimeOut;Access1;Access2;LoginMesFile;DiskQuota");
  EXPECT_EQ(Value(u"USER=bob|1", u"Password"), kBobPassword);
  EXPECT_EQ(Value(u"USER=bob|1", u"Access2") + Value(u"USER=bob|1", u"DiskQuota"), u"C:\\ftp\\shared|RL1|50|0");
  EXPECT_TRUE(Value(u"USER=bob|1", u"LoginMesFile").ends_with(u"Vantrel.txt"));  // the old file is gone
}

TEST_F(UserChangeTest, ModifyRenames) {
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  user->UserName = u"robert";
  user->Disable = true;
  ASSERT_TRUE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(Domain1(), u"alice|1|0;carol|1|1072915200;robert|0|0;;");
  EXPECT_EQ(Keys(u"USER=bob|1"), u"");
  EXPECT_EQ(Value(u"USER=robert|1", u"Password"), kBobPassword);
  ASSERT_TRUE(user->GetUser(u"alice", 1));
  user->UserName = u"Alice";  // its own name in other letter case is no clash
  EXPECT_TRUE(user->ModifyUser(u"alice", 1)) << automation::ToUtf8(user->ErrorMsg);
}

TEST_F(UserChangeTest, FailedModifyNeverLosesTheAccount) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUser(u"bob", 1));
  EXPECT_FALSE(user->ModifyUser(u"BOB", 1));  // found without letter case, but not removable
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  EXPECT_FALSE(user->ModifyUser(u"nobody", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username does not exist");
  user->UserName = u"carol";
  EXPECT_FALSE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(user->ErrorMsg, u"This username exists already");
  user->UserName = u"bo|b";
  EXPECT_FALSE(user->ModifyUser(u"bob", 1));
  EXPECT_EQ(user->ErrorMsg.substr(0, 9), u"Refused: ");
  auto boss = DomainAdminUser(1, u"C:\\ftp\\boss");
  ASSERT_TRUE(boss->GetUser(u"bob", 1));
  EXPECT_FALSE(boss->ModifyUser(u"bob", 1));  // bob's home lies outside the root
  EXPECT_EQ(boss->ErrorMsg, u"The HomeDir has no right!");
  EXPECT_EQ(ReadServerFile(), before);
}

}  // namespace
}  // namespace vantrel::testing
