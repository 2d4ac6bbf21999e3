// User.GetUserList: the rows of a domain's user list lines.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

class UserListTest : public UsersTest {
 protected:
  void WithDomain1(const std::string& lines) {
    WriteServerFile("[Domain1]\r\n" + lines + "[Domain2]\r\nUser1=zed|1|0\r\n");
  }
  classes::Ref<classes::CUserList> Row(classes::User& u, std::int32_t i) {
    return u.UserListProperty.Get()->Item(Variant(i));
  }
};

TEST_F(UserListTest, RowsInFileOrderFromUserKeysOnly) {
  WithDomain1("User2=alice|1|0\r\nNote=x\r\nUSERS=bob|0|1072915200\r\nuser7x=carol|5|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  ASSERT_EQ(user->UserListProperty.Get()->Count(), 3);
  EXPECT_EQ(Row(*user, 1)->UserName, u"alice");
  EXPECT_FALSE(Row(*user, 1)->Expire);
  EXPECT_DOUBLE_EQ(Row(*user, 1)->ExpireDate.value, 25569.0 + 1.0 / 3.0);
  EXPECT_TRUE(Row(*user, 2)->Disable);
  EXPECT_TRUE(Row(*user, 2)->Expire);
  EXPECT_NEAR(Row(*user, 2)->ExpireDate.value, automation::MakeDate(2004, 1, 1, 8).value, 1e-9);
  EXPECT_FALSE(Row(*user, 3)->Disable);  // any flag but 0 is enabled
  EXPECT_EQ(Row(*user, 3)->DomainID, 1);
  EXPECT_EQ(user->UserListProperty.Get()->Item(Variant(u"CAROL"))->UserName, u"carol");
  ASSERT_TRUE(user->GetUserList(3));  // no section: no users
  EXPECT_EQ(user->UserListProperty.Get()->Count(), 0);
}

TEST_F(UserListTest, RefusalsLeaveThePreviousList) {
  WithDomain1("User1=alice|1|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  auto before = user->UserListProperty.Get();
  user->AdminPassword = u"wrong";
  EXPECT_FALSE(user->GetUserList(1));
  EXPECT_EQ(user->ErrorMsg, u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword");
  user->AdminPassword = kSystemPassword;
  user->ServUPath += u"/nowhere";
  EXPECT_FALSE(user->GetUserList(1));
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
  EXPECT_EQ(user->UserListProperty.Get().get(), before.get());
  auto admin = DomainAdminUser(2, u"C:\\ftp");
  EXPECT_FALSE(admin->GetUserList(1));
  EXPECT_TRUE(admin->GetUserList(2));
}

TEST_F(UserListTest, MalformedLinesAndDuplicateNamesRaiseAutomationErrors) {
  const struct {
    const char* lines;
    std::int32_t number;
  } cases[] = {{"User1=alice|1\r\n", automation::kSubscriptOutOfRange},
               {"User1=alice|x|0\r\n", automation::kTypeMismatch},
               {"User1=alice|70000|0\r\n", automation::kOverflow},
               {"User1=alice|1|9999999999\r\n", automation::kOverflow},
               {"User1=alice|1|0\r\nUser2=ALICE|1|0\r\n", automation::kDuplicateKey}};
  auto user = SystemUser();
  for (const auto& c : cases) {
    WithDomain1(c.lines);
    try {
      user->GetUserList(1);
      ADD_FAILURE() << "no error for " << c.lines;
    } catch (const automation::AutomationError& e) {
      EXPECT_EQ(e.Number(), c.number) << c.lines;
    }
  }
  EXPECT_EQ(user->UserListProperty.Get()->Count(), 1);  // rows before the duplicate stay
}

}  // namespace
}  // namespace vantrel::testing
