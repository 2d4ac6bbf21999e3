// Manager classes: who creates the result collections and when, Set and Get
// sharing the same object, Renew leaving earlier references their items, and
// the User.Password rule.
#include <gtest/gtest.h>

#include "classes/admin_of_admin.hpp"
#include "classes/domains.hpp"
#include "classes/explorer.hpp"
#include "classes/user.hpp"
#include "storage/password.hpp"

namespace {

using namespace vantrel::classes;
using vantrel::automation::MakeRef;

TEST(CollectionProperties, UserAndAdminOfAdminCreateTheirsWithTheObject) {
  User user;
  EXPECT_TRUE(user.DirAccessProperty.Peek());
  EXPECT_TRUE(user.UserListProperty.Peek());
  AdminOfAdmin admin;
  EXPECT_TRUE(admin.AdminProperty.Peek());
  EXPECT_TRUE(admin.PublicDirProperty.Peek());
}

TEST(CollectionProperties, DomainsAndExplorerCreateTheirsOnTheFirstGet) {
  Domains domains;
  EXPECT_FALSE(domains.DomainProperty.Peek());
  auto first = domains.DomainProperty.Get();
  EXPECT_EQ(first->Count(), 0);
  EXPECT_EQ(domains.DomainProperty.Get(), first) << "later Gets return the same object";
  Explorer explorer;
  EXPECT_FALSE(explorer.FileProperty.Peek());
  EXPECT_FALSE(explorer.DirectoryProperty.Peek());
  EXPECT_TRUE(explorer.DirectoryProperty.Get());
  EXPECT_FALSE(explorer.FileProperty.Peek()) << "each property on its own first Get";
}

TEST(CollectionProperties, SetSharesTheCallersObjectAndNothingGivesANewEmptyOne) {
  User user;
  auto mine = MakeRef<DirAccess>();
  user.DirAccessProperty.Set(mine);
  mine->Add(u"D:\\pub");
  EXPECT_EQ(user.DirAccessProperty.Get()->Count(), 1) << "the owner sees what the page put in";
  user.DirAccessProperty.Get()->Add(u"D:\\other");
  EXPECT_EQ(mine->Count(), 2);
  user.DirAccessProperty.Set(nullptr);
  auto after = user.DirAccessProperty.Get();
  ASSERT_TRUE(after);
  EXPECT_NE(after, mine);
  EXPECT_EQ(after->Count(), 0);
  EXPECT_EQ(user.DirAccessProperty.Get(), after) << "and keeps it";
  EXPECT_EQ(mine->Count(), 2) << "the page's collection lives on";
}

TEST(CollectionProperties, RenewLeavesEarlierReferencesTheirItems) {
  Domains domains;
  auto held = domains.DomainProperty.Get();
  held->Add(1, u"", u"old", 21, u"1");
  auto renewed = domains.DomainProperty.Renew();
  EXPECT_NE(renewed, held);
  EXPECT_EQ(renewed->Count(), 0);
  EXPECT_EQ(held->Count(), 1);
  EXPECT_EQ(domains.DomainProperty.Get(), renewed);
}

TEST(UserPassword, HashesANonEmptyTextAndReadsEncrypted) {
  User user;
  user.SetPassword(u"secret");
  EXPECT_EQ(user.Password(), u"Encrypted");
  ASSERT_EQ(user.StoredPassword().size(), 34u);
  EXPECT_TRUE(vantrel::storage::CheckSaltedPassword(user.StoredPassword(), u"secret"));
  const auto first = user.StoredPassword();
  user.SetPassword(u"Encrypted");
  EXPECT_EQ(user.Password(), u"Encrypted");
  EXPECT_TRUE(vantrel::storage::CheckSaltedPassword(user.StoredPassword(), u"Encrypted"))
      << "the word Encrypted is hashed like any text";
  EXPECT_NE(user.StoredPassword(), first);
}

TEST(UserPassword, AnEmptyTextKeepsTheStoredPassword) {
  User user;
  user.SetStoredPassword(u"abCAFEBABE");
  user.SetPassword(u"");
  EXPECT_EQ(user.Password(), u"");
  EXPECT_EQ(user.StoredPassword(), u"abCAFEBABE");
  user.SetPassword(u"x");
  user.SetPassword(u"");
  EXPECT_EQ(user.Password(), u"");
  EXPECT_TRUE(vantrel::storage::CheckSaltedPassword(user.StoredPassword(), u"x"));
}

}  // namespace
