// The server-file layout of accounts: expiry seconds text, user list keys,
// access letters.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "storage/servu/access_line.hpp"
#include "storage/servu/expiry.hpp"
#include "storage/servu/user_line.hpp"

namespace servu = vantrel::storage::servu;

namespace {
double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return vantrel::automation::MakeDate(y, mo, d, h, mi, s).value;
}
}  // namespace

TEST(ExpiryText, FifteenSignificantDigitsWithoutExponentOrTrailingZeros) {
  const double date = Date(2004, 1, 1, 8);
  ASSERT_NE((date - servu::kExpiryEpochDays) * 86400.0, 1072915200.0);  // the product itself is not exact
  EXPECT_EQ(servu::ExpirySecondsText(date), u"1072915200");
  EXPECT_EQ(servu::ExpirySecondsText(date + 0.5 / 86400.0), u"1072915200.5");
  EXPECT_EQ(servu::ExpirySecondsText(servu::kExpiryEpochDays), u"0");
  const std::u16string big = servu::ExpirySecondsText(servu::kExpiryEpochDays + 1e16 / 86400.0);
  EXPECT_EQ(big.size(), 17u);  // padded with zeros, no exponent
  EXPECT_EQ(big.find_first_not_of(u"0123456789"), std::u16string::npos);
}

TEST(ExpiryField, ZeroWhenNotExpiringAndRefusedBeyondThirtyTwoBits) {
  EXPECT_EQ(servu::ExpiryField(false, Date(2004, 1, 1, 8)), u"0");
  EXPECT_EQ(servu::ExpiryField(true, Date(2038, 1, 19, 11, 14, 7)), u"2147483647");
  EXPECT_FALSE(servu::ExpiryField(true, Date(2038, 1, 19, 11, 14, 8)).has_value());
  EXPECT_FALSE(servu::ExpiryField(true, Date(1901, 12, 1)).has_value());
}

TEST(LayoutKeys, FirstCharactersDecideInAnyLetterCase) {
  for (const char16_t* key : {u"User1", u"USERS", u"user7x"}) EXPECT_TRUE(servu::IsUserListKey(key));
  for (const char16_t* key : {u"Note", u"Use", u" User1", u"\u017Fuser"}) EXPECT_FALSE(servu::IsUserListKey(key));
  EXPECT_TRUE(servu::IsAccessKey(u"ACCESS12"));
  EXPECT_FALSE(servu::IsAccessKey(u"Acces1"));
}

TEST(AccessLetters, OnlyCapitalLettersGrantRights) {
  const auto none = servu::ParseAccessLetters(u"rwl");
  EXPECT_FALSE(none.filesRead || none.filesWrite || none.dirList);
  const auto some = servu::ParseAccessLetters(u"LRX");
  EXPECT_TRUE(some.filesRead && some.dirList);
  EXPECT_FALSE(some.filesWrite || some.filesAppend || some.filesDelete || some.filesExecute || some.dirCreate ||
               some.dirRemove || some.subDirInherit);
  EXPECT_EQ(servu::AccessLineDirectory(u"C:\\ftp|RL"), u"C:\\ftp");
}
