#include "storage/password.hpp"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "storage/md5.hpp"

namespace vantrel::storage {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(SaltedPassword, FormIsTwoLowerCaseLettersAndAnUpperCaseDigest) {
  for (int i = 0; i < 200; ++i) {
    const std::u16string form = MakeSaltedPassword(u"secret");
    ASSERT_EQ(form.size(), 34u);
    EXPECT_GE(form[0], u'a');
    EXPECT_LE(form[0], u'z');
    EXPECT_GE(form[1], u'a');
    EXPECT_LE(form[1], u'z');
    for (std::size_t k = 2; k < 34; ++k) {
      const char16_t c = form[k];
      EXPECT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) << Narrow(form);
    }
  }
}

TEST(SaltedPassword, DigestIsTheStandardMd5OfSaltAndPassword) {
  const std::u16string form = MakeSaltedPassword(u"Pa55word");
  const std::string salt = Narrow(form.substr(0, 2));
  EXPECT_EQ(Narrow(form.substr(2)), HexUpper(Md5Of(salt + "Pa55word")));
}

TEST(SaltedPassword, KnownFormIsAccepted) {
  // "ab" followed by the MD5 digest of "abtest", computed independently.
  const std::u16string stored = u"ab96492D8B78BDE2A5CF9F695D6277BA40";
  EXPECT_TRUE(CheckSaltedPassword(stored, u"test"));
  EXPECT_FALSE(CheckSaltedPassword(stored, u"test "));
}

TEST(SaltedPassword, AcceptsItsPasswordAndRejectsOtherLetterCase) {
  const std::u16string form = MakeSaltedPassword(u"Secret");
  EXPECT_TRUE(CheckSaltedPassword(form, u"Secret"));
  EXPECT_FALSE(CheckSaltedPassword(form, u"secret"));
  EXPECT_FALSE(CheckSaltedPassword(form, u"SECRET"));
  EXPECT_FALSE(CheckSaltedPassword(form, u""));
}

TEST(SaltedPassword, TwoFormsOfOnePasswordDifferAndBothMatch) {
  std::set<std::u16string> forms;
  for (int i = 0; i < 20; ++i) {
    const std::u16string form = MakeSaltedPassword(u"same");
    EXPECT_TRUE(CheckSaltedPassword(form, u"same"));
    forms.insert(form);
  }
  // 20 draws from 676 salts: all equal would mean the generator is not reseeded well.
  EXPECT_GT(forms.size(), 5u);
}

TEST(SaltedPassword, EmptyPasswordMatchesOnlyTheEmptyPassword) {
  const std::u16string form = MakeSaltedPassword(u"");
  EXPECT_EQ(Narrow(form.substr(2)), HexUpper(Md5Of(Narrow(form.substr(0, 2)))));
  EXPECT_TRUE(CheckSaltedPassword(form, u""));
  EXPECT_FALSE(CheckSaltedPassword(form, u" "));
  EXPECT_FALSE(CheckSaltedPassword(form, u"x"));
}

TEST(SaltedPassword, LowerCaseDigestIsRejected) {
  std::u16string form = MakeSaltedPassword(u"pw");
  for (std::size_t k = 2; k < form.size(); ++k) {
    if (form[k] >= u'A' && form[k] <= u'F') form[k] = static_cast<char16_t>(form[k] + 32);
  }
  ASSERT_NE(form, MakeSaltedPassword(u"pw"));
  EXPECT_FALSE(CheckSaltedPassword(form, u"pw"));
}

TEST(SaltedPassword, EmptyShortOrPlainStoredValuesNeverMatch) {
  EXPECT_FALSE(CheckSaltedPassword(u"", u""));
  EXPECT_FALSE(CheckSaltedPassword(u"a", u""));
  EXPECT_FALSE(CheckSaltedPassword(u"hunter2", u"hunter2"));
  const std::u16string form = MakeSaltedPassword(u"pw");
  EXPECT_FALSE(CheckSaltedPassword(form + u"X", u"pw"));
  EXPECT_FALSE(CheckSaltedPassword(form.substr(0, 33), u"pw"));
}

TEST(SaltedPassword, EverySaltLetterOccursInBothPlacesAndNoneDominates) {
  std::array<int, 26> first{};
  std::array<int, 26> second{};
  constexpr int kForms = 5200;
  for (int i = 0; i < kForms; ++i) {
    const std::u16string form = MakeSaltedPassword(u"");
    ++first[static_cast<std::size_t>(form[0] - u'a')];
    ++second[static_cast<std::size_t>(form[1] - u'a')];
  }
  // Expected 200 each; a fair generator stays far inside [100, 320].
  for (std::size_t k = 0; k < 26; ++k) {
    EXPECT_GT(first[k], 100) << static_cast<char>('a' + k);
    EXPECT_LT(first[k], 320) << static_cast<char>('a' + k);
    EXPECT_GT(second[k], 100) << static_cast<char>('a' + k);
    EXPECT_LT(second[k], 320) << static_cast<char>('a' + k);
  }
}

}  // namespace
}  // namespace vantrel::storage
