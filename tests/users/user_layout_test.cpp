// The server-file layout of accounts: expiry seconds text, user list keys and
// lines, access letters.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "storage/servu/access_line.hpp"
#include "storage/servu/expiry.hpp"
#include "storage/servu/user_line.hpp"

namespace servu = vantrel::storage::servu;
using vantrel::automation::MakeDate;

namespace {

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return MakeDate(y, mo, d, h, mi, s).value; }

}  // namespace

TEST(ExpiryText, WholeSecondGivesWholeNumberDespiteInexactProduct) {
  const double date = Date(2004, 1, 1, 8, 0, 0);
  ASSERT_NE((date - servu::kExpiryEpochDays) * 86400.0, 1072915200.0);  // the product itself is not exact
  EXPECT_EQ(servu::ExpirySecondsText(date), u"1072915200");
}

TEST(ExpiryText, EpochItselfAndDatesBeforeIt) {
  EXPECT_EQ(servu::ExpirySecondsText(servu::kExpiryEpochDays), u"0");
  EXPECT_EQ(servu::ExpirySecondsText(Date(1970, 1, 2, 8, 0, 0)), u"86400");
  // Small counts show the double's own error in 15 digits (-3599.99999979045),
  // which still reads back as the whole second.
  EXPECT_EQ(vantrel::automation::ToLong(servu::ExpirySecondsText(Date(1970, 1, 1, 7, 0, 0))), -3600);
}

TEST(ExpiryText, FractionsKeepFifteenSignificantDigitsWithoutTrailingZeros) {
  // Half a second after 2004-01-01 08:00:00: ten integer digits, fraction ".5".
  EXPECT_EQ(servu::ExpirySecondsText(Date(2004, 1, 1, 8, 0, 0) + 0.5 / 86400.0), u"1072915200.5");
  // Never more than 15 significant digits.
  const std::u16string small = servu::ExpirySecondsText(servu::kExpiryEpochDays + 0.25 / 86400.0);
  EXPECT_EQ(small.substr(0, 2), u"0.");
  EXPECT_LE(small.size(), 17u);
  EXPECT_NEAR(vantrel::automation::ToDouble(small), 0.25, 1e-6);
}

TEST(ExpiryText, LargeValuesAreWrittenWithoutExponent) {
  // 1e16 seconds: rounded to 15 digits, padded with zeros, no exponent.
  const double date = servu::kExpiryEpochDays + 1e16 / 86400.0;
  const std::u16string text = servu::ExpirySecondsText(date);
  EXPECT_EQ(text.find(u'e'), std::u16string::npos);
  EXPECT_EQ(text.find(u'E'), std::u16string::npos);
  EXPECT_EQ(text.size(), 17u);
  EXPECT_EQ(text.substr(0, 2), u"10");
}

TEST(ExpiryField, NotExpiringIsZeroAndOutOfRangeIsRefused) {
  EXPECT_EQ(servu::ExpiryField(false, Date(2004, 1, 1, 8)), u"0");
  EXPECT_EQ(servu::ExpiryField(true, Date(2004, 1, 1, 8)), u"1072915200");
  // 2038-01-19 11:14:07 is the last second a 32-bit count from the epoch holds.
  EXPECT_EQ(servu::ExpiryField(true, Date(2038, 1, 19, 11, 14, 7)), u"2147483647");
  EXPECT_FALSE(servu::ExpiryField(true, Date(2038, 1, 19, 11, 14, 8)).has_value());
  EXPECT_FALSE(servu::ExpiryField(true, Date(1901, 12, 1)).has_value());
}

TEST(ExpiryDate, SecondsConvertBackToTheDate) {
  EXPECT_NEAR(servu::ExpiryDateFromSeconds(1072915200), Date(2004, 1, 1, 8), 1e-9);
  EXPECT_DOUBLE_EQ(servu::ExpiryDateFromSeconds(0), 25569.0 + 1.0 / 3.0);
}

TEST(UserListKeys, FirstFourCharactersDecideInAnyLetterCase) {
  EXPECT_TRUE(servu::IsUserListKey(u"User1"));
  EXPECT_TRUE(servu::IsUserListKey(u"USERS"));
  EXPECT_TRUE(servu::IsUserListKey(u"user7x"));
  EXPECT_TRUE(servu::IsUserListKey(u"uSeR"));
  EXPECT_FALSE(servu::IsUserListKey(u"Note"));
  EXPECT_FALSE(servu::IsUserListKey(u"Use"));
  EXPECT_FALSE(servu::IsUserListKey(u" User1"));
  EXPECT_FALSE(servu::IsUserListKey(u"\u017Fuser"));  // long s does not lower to "s"
  EXPECT_TRUE(servu::IsAccessKey(u"ACCESS12"));
  EXPECT_FALSE(servu::IsAccessKey(u"Acces1"));
}

TEST(UserListLines, ComposedFromTrimmedNameFlagAndExpiry) {
  EXPECT_EQ(servu::ComposeUserLine(u"alice", false, u"0"), u"alice|1|0");
  EXPECT_EQ(servu::ComposeUserLine(u"bob", true, u"0"), u"bob|0|0");
  EXPECT_EQ(servu::ComposeUserLine(u"carol", false, u"1072915200"), u"carol|1|1072915200");
  EXPECT_EQ(servu::TrimBlanks(u"  al ice  "), u"al ice");
  EXPECT_EQ(servu::TrimBlanks(u"   "), u"");
  EXPECT_EQ(servu::TrimBlanks(u"\tx\t"), u"\tx\t");  // only blanks are trimmed
  EXPECT_EQ(servu::UserSection(u"alice", 2), u"USER=alice|2");
  EXPECT_EQ(servu::UserIndexSection(12), u"Domain12");
}

TEST(AccessLetters, CapitalLettersAnywhereGrantRights) {
  const auto none = servu::ParseAccessLetters(u"rwl");
  EXPECT_FALSE(none.filesRead || none.filesWrite || none.dirList);
  const auto some = servu::ParseAccessLetters(u"LRX");
  EXPECT_TRUE(some.filesRead);
  EXPECT_TRUE(some.dirList);
  EXPECT_FALSE(some.filesWrite || some.filesAppend || some.filesDelete || some.filesExecute || some.dirCreate ||
               some.dirRemove || some.subDirInherit);
  const auto all = servu::ParseAccessLetters(u"PDCLEMAWR");
  EXPECT_TRUE(all.filesRead && all.filesWrite && all.filesAppend && all.filesDelete && all.filesExecute &&
              all.dirList && all.dirCreate && all.dirRemove && all.subDirInherit);
  EXPECT_EQ(servu::AccessLineDirectory(u"C:\\ftp|RL"), u"C:\\ftp");
  EXPECT_EQ(servu::AccessLineDirectory(u"C:\\ftp"), u"C:\\ftp");
  EXPECT_EQ(servu::AccessKey(3), u"Access3");
}
