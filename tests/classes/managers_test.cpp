// The User.Password rule: a non-empty text is stored salted and reads back
// as "Encrypted"; an empty one keeps the stored password.
#include <gtest/gtest.h>

#include "classes/user.hpp"
#include "storage/password.hpp"

namespace {

using namespace vantrel::classes;

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
