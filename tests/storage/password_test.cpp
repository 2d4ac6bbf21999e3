#include "storage/password.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "storage/md5.hpp"

namespace vantrel::storage {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(SaltedPassword, FormIsTwoLowerCaseLettersAndTheUpperCaseMd5OfSaltAndPassword) {
  std::set<std::u16string> forms;
  for (int i = 0; i < 20; ++i) {
    const std::u16string form = MakeSaltedPassword(u"Pa55word");
    ASSERT_EQ(form.size(), 34u);
    const std::string salt = Narrow(form.substr(0, 2));
    EXPECT_TRUE(salt[0] >= 'a' && salt[0] <= 'z' && salt[1] >= 'a' && salt[1] <= 'z') << salt;
    EXPECT_EQ(Narrow(form.substr(2)), HexUpper(Md5Of(salt + "Pa55word")));
    forms.insert(form);
  }
  // 20 draws from 676 salts: all equal would mean the generator is not reseeded well.
  EXPECT_GT(forms.size(), 5u);
}

TEST(SaltedPassword, OnlyTheExactPasswordMatches) {
  // "ab" followed by the MD5 digest of "abtest", computed independently.
  const std::u16string known = u"ab96492D8B78BDE2A5CF9F695D6277BA40";
  EXPECT_TRUE(CheckSaltedPassword(known, u"test"));
  EXPECT_FALSE(CheckSaltedPassword(known, u"test "));
  const std::u16string form = MakeSaltedPassword(u"Secret");
  EXPECT_TRUE(CheckSaltedPassword(form, u"Secret"));
  for (const char16_t* other : {u"secret", u"SECRET", u""}) EXPECT_FALSE(CheckSaltedPassword(form, other));
  const std::u16string empty = MakeSaltedPassword(u"");
  EXPECT_TRUE(CheckSaltedPassword(empty, u""));
  EXPECT_FALSE(CheckSaltedPassword(empty, u" "));
}

TEST(SaltedPassword, MalformedStoredValuesNeverMatch) {
  std::u16string lower = MakeSaltedPassword(u"pw");
  for (std::size_t k = 2; k < lower.size(); ++k) {
    if (lower[k] >= u'A' && lower[k] <= u'F') lower[k] = static_cast<char16_t>(lower[k] + 32);
  }
  ASSERT_NE(lower, MakeSaltedPassword(u"pw"));
  EXPECT_FALSE(CheckSaltedPassword(lower, u"pw"));  // a lower-case digest
  EXPECT_FALSE(CheckSaltedPassword(u"", u""));
  EXPECT_FALSE(CheckSaltedPassword(u"a", u""));
  EXPECT_FALSE(CheckSaltedPassword(u"hunter2", u"hunter2"));
  const std::u16string form = MakeSaltedPassword(u"pw");
  EXPECT_FALSE(CheckSaltedPassword(form + u"X", u"pw"));
  EXPECT_FALSE(CheckSaltedPassword(form.substr(0, 33), u"pw"));
}

}  // namespace
}  // namespace vantrel::storage
