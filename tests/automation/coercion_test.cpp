// Standard automation coercion: the conversions a late-bound argument goes
// through before a member runs, with their type-mismatch and overflow errors.
#include <gtest/gtest.h>

#include <cmath>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "error_of.hpp"

namespace {

using namespace vantrel::automation;
using test_support::ErrorOf;

struct IntegerCase {
  const char16_t* text;
  std::int16_t expected;
};

class TextToInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(TextToInteger, Converts) {
  EXPECT_EQ(ToInteger(Variant(String(GetParam().text))), GetParam().expected) << "input: " << GetParam().expected;
}

INSTANTIATE_TEST_SUITE_P(Coercion, TextToInteger,
                         testing::Values(IntegerCase{u"12", 12}, IntegerCase{u"  12  ", 12}, IntegerCase{u"\t-7 ", -7},
                                         IntegerCase{u"+5", 5}, IntegerCase{u"&H1F", 31}, IntegerCase{u"&hff", 255},
                                         IntegerCase{u"&HFFFF", -1}, IntegerCase{u"&H8000", -32768},
                                         IntegerCase{u"&O17", 15}, IntegerCase{u"2.5", 2}, IntegerCase{u"3.5", 4},
                                         IntegerCase{u"-2.5", -2}, IntegerCase{u"2.51", 3}, IntegerCase{u"1,000", 1000},
                                         IntegerCase{u"1e3", 1000}, IntegerCase{u"32767", 32767},
                                         IntegerCase{u"-32768", -32768}, IntegerCase{u".5", 0}));

struct ErrorCase {
  const char16_t* text;
  int error;
};

class TextToIntegerFails : public testing::TestWithParam<ErrorCase> {};

TEST_P(TextToIntegerFails, WithTheRightError) {
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant(String(GetParam().text))); }), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Coercion, TextToIntegerFails,
                         testing::Values(ErrorCase{u"", 13}, ErrorCase{u"   ", 13}, ErrorCase{u"abc", 13},
                                         ErrorCase{u"12abc", 13}, ErrorCase{u"1 2", 13}, ErrorCase{u"&H", 13},
                                         ErrorCase{u"&HG1", 13}, ErrorCase{u"&O8", 13}, ErrorCase{u"1e", 13},
                                         ErrorCase{u".", 13}, ErrorCase{u"True", 13}, ErrorCase{u"32768", 6},
                                         ErrorCase{u"-32769", 6}, ErrorCase{u"32767.5", 6}, ErrorCase{u"&H10000", 6},
                                         ErrorCase{u"1e400", 6}));

TEST(NumberCoercion, RoundsHalfToEvenFromEveryNumericType) {
  EXPECT_EQ(ToInteger(Variant(0.5)), 0);
  EXPECT_EQ(ToInteger(Variant(1.5)), 2);
  EXPECT_EQ(ToInteger(Variant(-1.5)), -2);
  EXPECT_EQ(ToLong(Variant(2.5)), 2);
  EXPECT_EQ(ToLong(Variant(Date{10.5})), 10);
  EXPECT_EQ(ToLong(Variant(Date{11.5})), 12);
}

TEST(NumberCoercion, ChecksTheTargetRange) {
  EXPECT_EQ(ToInteger(Variant(std::int32_t{32767})), 32767);
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant(std::int32_t{32768})); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToLong(Variant(2147483648.0)); }), kOverflow);
  EXPECT_EQ(ToLong(Variant(-2147483648.0)), INT32_MIN);
  EXPECT_EQ(ErrorOf([] { ToLong(Variant(std::nan(""))); }), kOverflow);
  EXPECT_EQ(ToLong(Variant(String(u"&HFFFF"))), 65535) << "hex wider than 16 bits keeps its value in a Long";
  EXPECT_EQ(ToLong(Variant(String(u"&HFFFFFFFF"))), -1);
  EXPECT_EQ(ErrorOf([] { ToLong(Variant(String(u"&H100000000"))); }), kOverflow);
}

TEST(NumberCoercion, BooleanAndEmptyAreNumbers) {
  EXPECT_EQ(ToInteger(Variant(true)), -1);
  EXPECT_EQ(ToLong(Variant(false)), 0);
  EXPECT_EQ(ToInteger(Variant()), 0);
  EXPECT_EQ(ToDouble(Variant()), 0.0);
}

TEST(NumberCoercion, ObjectsAndMissingAreTypeMismatches) {
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::Nothing()); }), kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToString(Variant::Missing()); }), kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToBoolean(Variant::Nothing()); }), kTypeMismatch);
}

TEST(BooleanCoercion, AcceptsTrueFalseInAnyCaseAndNumbers) {
  EXPECT_TRUE(ToBoolean(Variant(String(u"True"))));
  EXPECT_TRUE(ToBoolean(Variant(String(u" TRUE "))));
  EXPECT_FALSE(ToBoolean(Variant(String(u"false"))));
  EXPECT_TRUE(ToBoolean(Variant(String(u"-1"))));
  EXPECT_TRUE(ToBoolean(Variant(String(u"0.1"))));
  EXPECT_FALSE(ToBoolean(Variant(String(u"0"))));
  EXPECT_FALSE(ToBoolean(Variant(String(u"&H0"))));
  EXPECT_TRUE(ToBoolean(Variant(std::int16_t{2})));
  EXPECT_FALSE(ToBoolean(Variant(0.0)));
  EXPECT_EQ(ErrorOf([] { ToBoolean(Variant(String(u"yes"))); }), kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToBoolean(Variant(String(u""))); }), kTypeMismatch);
}

TEST(StringCoercion, FormatsNumbersBooleansAndDates) {
  EXPECT_EQ(ToString(Variant(std::int16_t{-5})), u"-5");
  EXPECT_EQ(ToString(Variant(std::int32_t{2147483647})), u"2147483647");
  EXPECT_EQ(ToString(Variant(0.1)), u"0.1");
  EXPECT_EQ(ToString(Variant(2.5)), u"2.5");
  EXPECT_EQ(ToString(Variant(1e20)), u"1E+20");
  EXPECT_EQ(ToString(Variant(1e-5)), u"1E-05");
  EXPECT_EQ(ToString(Variant(1.0 / 3.0)), u"0.333333333333333");
  EXPECT_EQ(ToString(Variant(true)), u"True");
  EXPECT_EQ(ToString(Variant(false)), u"False");
  EXPECT_EQ(ToString(Variant()), u"");
  EXPECT_EQ(ToString(Variant(Date{25569.0 + 1.0 / 3.0})), u"1/1/1970 8:00:00 AM");
  EXPECT_EQ(ToString(Variant(Date{38000.0})), u"1/14/2004");
  EXPECT_EQ(ToString(Variant(Date{0.75})), u"6:00:00 PM");
  EXPECT_EQ(ToString(Variant(Date{0.0})), u"12/30/1899");
}

struct DateCase {
  const char16_t* text;
  int year, month, day, hour, minute, second;
};

class TextToDate : public testing::TestWithParam<DateCase> {};

TEST_P(TextToDate, ReadsTheUsualForms) {
  const DateCase& c = GetParam();
  const Date d = ToDate(Variant(String(c.text)));
  const DateParts p = SplitDate(d);
  EXPECT_EQ(p.year, c.year);
  EXPECT_EQ(p.month, c.month);
  EXPECT_EQ(p.day, c.day);
  EXPECT_EQ(p.hour, c.hour);
  EXPECT_EQ(p.minute, c.minute);
  EXPECT_EQ(p.second, c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Coercion, TextToDate,
    testing::Values(DateCase{u"2004-01-01 08:00:00", 2004, 1, 1, 8, 0, 0}, DateCase{u"2004-01-01T08:00", 2004, 1, 1, 8, 0, 0},
                    DateCase{u"1/14/2004", 2004, 1, 14, 0, 0, 0}, DateCase{u" 1/1/2004 8:05 PM ", 2004, 1, 1, 20, 5, 0},
                    DateCase{u"12/31/2003 12:00:01 AM", 2003, 12, 31, 0, 0, 1},
                    DateCase{u"1/1/04", 2004, 1, 1, 0, 0, 0}, DateCase{u"1/1/99", 1999, 1, 1, 0, 0, 0},
                    DateCase{u"January 1, 2004", 2004, 1, 1, 0, 0, 0}, DateCase{u"1 Jan 2004", 2004, 1, 1, 0, 0, 0},
                    DateCase{u"Thursday, January 1, 2004 8:00:00 AM", 2004, 1, 1, 8, 0, 0},
                    DateCase{u"2004.02.29", 2004, 2, 29, 0, 0, 0}, DateCase{u"13:45:10", 1899, 12, 30, 13, 45, 10},
                    DateCase{u"12 PM", 1899, 12, 30, 12, 0, 0}));

TEST(DateCoercion, RefusesTextThatIsNoDate) {
  for (const char16_t* text : {u"", u"abc", u"25569", u"2/30/2004", u"13/1/2004", u"2003-02-29", u"25:00",
                               u"1/1/2004 13:00 PM", u"Smarch 1, 2004", u"1/1/2004 8:00 +"}) {
    EXPECT_EQ(ErrorOf([&] { ToDate(Variant(String(text))); }), kTypeMismatch) << std::string(text, text + std::char_traits<char16_t>::length(text));
  }
}

TEST(DateCoercion, NumbersAreDatesWithinTheCalendarRange) {
  EXPECT_EQ(ToDate(Variant(std::int32_t{25569})).value, 25569.0);
  EXPECT_EQ(ToDate(Variant(38000.25)).value, 38000.25);
  EXPECT_EQ(ErrorOf([] { ToDate(Variant(3000000.0)); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToDate(Variant(-700000.0)); }), kOverflow);
}

TEST(DateCoercion, DatesOutsideTheCalendarCannotBeShownOrPassed) {
  EXPECT_EQ(ErrorOf([] { ToString(Variant(Date{1e300})); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToString(Variant(Date{std::nan("")})); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToDate(Variant(Date{-1e7})); }), kOverflow);
  EXPECT_EQ(ToString(Variant(MakeDate(9999, 12, 31, 23, 59, 59))), u"12/31/9999 11:59:59 PM");
  EXPECT_EQ(ToString(Variant(MakeDate(100, 1, 1))), u"1/1/100");
}

TEST(DateCoercion, CalendarArithmeticMatchesTheAutomationEpoch) {
  EXPECT_EQ(MakeDate(1899, 12, 30).value, 0.0);
  EXPECT_EQ(MakeDate(1970, 1, 1).value, 25569.0);
  EXPECT_NEAR(MakeDate(1970, 1, 1, 8).value, 25569.0 + 1.0 / 3.0, 1e-9);
  EXPECT_EQ(MakeDate(1899, 12, 29).value, -1.0);
  // Before the epoch day the fraction still counts forward from midnight.
  EXPECT_EQ(MakeDate(1899, 12, 29, 6).value, -1.25);
  const DateParts p = SplitDate(Date{-1.25});
  EXPECT_EQ(p.day, 29);
  EXPECT_EQ(p.hour, 6);
  const DateParts leap = SplitDate(MakeDate(2000, 2, 29, 23, 59, 59));
  EXPECT_EQ(leap.month, 2);
  EXPECT_EQ(leap.day, 29);
  EXPECT_EQ(leap.second, 59);
}

TEST(CoerceTo, DispatchesOnTheTargetType) {
  EXPECT_EQ(CoerceTo(Variant(String(u"7")), VarType::I2), Variant(std::int16_t{7}));
  EXPECT_EQ(CoerceTo(Variant(String(u"7")), VarType::I4), Variant(std::int32_t{7}));
  EXPECT_EQ(CoerceTo(Variant(std::int16_t{7}), VarType::String), Variant(String(u"7")));
  EXPECT_EQ(CoerceTo(Variant(String(u"0")), VarType::Bool), Variant(false));
  EXPECT_EQ(CoerceTo(Variant(String(u"1.5")), VarType::R8), Variant(1.5));
}

}  // namespace
