// User.GetUserList: the rows of a domain's user list lines.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::AutomationError;
using automation::Variant;

class UserListTest : public UsersTest {
 protected:
  void WithDomain1(const std::string& lines) {
    WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.1\r\n\r\n[Domain1]\r\n" + lines + "\r\n[Domain2]\r\nUser1=zed|1|0\r\n");
  }
};

TEST_F(UserListTest, RowsFollowFileOrderWithFlagsAndExpiry) {
  WithDomain1("User2=alice|1|0\r\nUser1=bob|0|1072915200\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  EXPECT_EQ(user->ErrorMsg, u"");
  auto list = user->UserListProperty.Get();
  ASSERT_EQ(list->Count(), 2);
  auto alice = list->Item(Variant(std::int32_t{1}));
  EXPECT_EQ(alice->UserName, u"alice");
  EXPECT_FALSE(alice->Disable);
  EXPECT_FALSE(alice->Expire);
  EXPECT_DOUBLE_EQ(alice->ExpireDate.value, 25569.0 + 1.0 / 3.0);
  EXPECT_EQ(alice->DomainID, 1);
  auto bob = list->Item(Variant(std::int32_t{2}));
  EXPECT_EQ(bob->UserName, u"bob");
  EXPECT_TRUE(bob->Disable);
  EXPECT_TRUE(bob->Expire);
  EXPECT_NEAR(bob->ExpireDate.value, automation::MakeDate(2004, 1, 1, 8).value, 1e-9);
}

TEST_F(UserListTest, OnlyKeysStartingWithUserCount) {
  WithDomain1("User1=alice|1|0\r\nNote=x\r\nUSERS=bob|1|0\r\nuser7x=carol|5|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  auto list = user->UserListProperty.Get();
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Item(Variant(std::int32_t{3}))->UserName, u"carol");
  EXPECT_FALSE(list->Item(Variant(std::int32_t{3}))->Disable);  // any number but 0 is enabled
}

TEST_F(UserListTest, NamesAreTakenUnchangedAndKeyedWithoutLetterCase) {
  // The file functions drop the blanks before a value; the rest is kept.
  WithDomain1("User1= alice |1|0\r\nUser2=Bob|1|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  auto list = user->UserListProperty.Get();
  EXPECT_EQ(list->Item(Variant(std::int32_t{1}))->UserName, u"alice ");
  EXPECT_EQ(list->Item(Variant(u"BOB"))->UserName, u"Bob");
}

TEST_F(UserListTest, DomainWithoutSectionGivesEmptyList) {
  WithDomain1("User1=alice|1|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  ASSERT_TRUE(user->GetUserList(3));
  EXPECT_EQ(user->UserListProperty.Get()->Count(), 0);
}

TEST_F(UserListTest, DomainsAreKeptApart) {
  WithDomain1("User1=alice|1|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(2));
  auto list = user->UserListProperty.Get();
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Item(Variant(std::int32_t{1}))->UserName, u"zed");
  EXPECT_EQ(list->Item(Variant(std::int32_t{1}))->DomainID, 2);
}

TEST_F(UserListTest, RefusedCallLeavesThePreviousList) {
  WithDomain1("User1=alice|1|0\r\n");
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  auto before = user->UserListProperty.Get();
  user->AdminPassword = u"wrong";
  EXPECT_FALSE(user->GetUserList(1));
  EXPECT_EQ(user->ErrorMsg, u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword");
  EXPECT_EQ(user->UserListProperty.Get().get(), before.get());
  EXPECT_EQ(before->Count(), 1);
}

TEST_F(UserListTest, DomainAdministratorSeesOnlyItsDomain) {
  WithDomain1("User1=alice|1|0\r\n");
  auto user = DomainAdminUser(2, u"C:\\ftp");
  EXPECT_FALSE(user->GetUserList(1));
  EXPECT_TRUE(user->GetUserList(2));
}

TEST_F(UserListTest, MissingServerFileIsServUPathError) {
  auto user = SystemUser();
  user->ServUPath += u"/nowhere";
  EXPECT_FALSE(user->GetUserList(1));
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
  EXPECT_FALSE(std::filesystem::exists(servu_ / "nowhere"));
}

TEST_F(UserListTest, MalformedLinesRaiseAutomationErrors) {
  auto user = SystemUser();
  const struct {
    const char* line;
    std::int32_t number;
  } cases[] = {{"User1=alice|1\r\n", automation::kSubscriptOutOfRange},
               {"User1=alice|x|0\r\n", automation::kTypeMismatch},
               {"User1=alice|1|abc\r\n", automation::kTypeMismatch},
               {"User1=alice|70000|0\r\n", automation::kOverflow},
               {"User1=alice|1|9999999999\r\n", automation::kOverflow}};
  for (const auto& c : cases) {
    WithDomain1(c.line);
    try {
      user->GetUserList(1);
      ADD_FAILURE() << "no error for " << c.line;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), c.number) << c.line;
    }
  }
}

TEST_F(UserListTest, NamesEqualWithoutLetterCaseFailWithRowsBeforeKept) {
  WithDomain1("User1=alice|1|0\r\nUser2=ALICE|1|0\r\nUser3=bob|1|0\r\n");
  auto user = SystemUser();
  try {
    user->GetUserList(1);
    ADD_FAILURE() << "duplicate names were accepted";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), automation::kDuplicateKey);
  }
  EXPECT_EQ(user->UserListProperty.Get()->Count(), 1);
}

TEST_F(UserListTest, ReadingNeverChangesTheFile) {
  WithDomain1("User1=alice|2|0\r\n");
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  ASSERT_TRUE(user->GetUserList(1));
  EXPECT_EQ(ReadServerFile(), before);
}

}  // namespace
}  // namespace vantrel::testing
