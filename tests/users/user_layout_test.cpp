// The expiry field of a user list line: seconds since the epoch as text,
// within what the server reads back as a 32-bit number.
#include <gtest/gtest.h>

#include "automation/coercion.hpp"
#include "storage/servu/expiry.hpp"

namespace servu = vantrel::storage::servu;

namespace {
double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return vantrel::automation::MakeDate(y, mo, d, h, mi, s).value;
}
}  // namespace

TEST(ExpiryText, FifteenSignificantDigitsWithoutExponentOrTrailingZeros) {
  const double date = Date(2004, 1, 1, 8);
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
