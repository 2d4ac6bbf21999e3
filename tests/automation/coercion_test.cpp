// The coercions are golden cases (tests/cases/automation/coercion.case);
// here only the values no late-bound call can pass: NaN, dates outside the
// calendar, Missing where a value is needed.
#include <gtest/gtest.h>

#include <cmath>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "error_of.hpp"

namespace {

using namespace vantrel::automation;
using test_support::ErrorOf;

TEST(Coercion, ValuesOutsideEveryRangeOverflow) {
  EXPECT_EQ(ErrorOf([] { ToLong(Variant(std::nan(""))); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToString(Variant(Date{1e300})); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToString(Variant(Date{std::nan("")})); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { ToDate(Variant(Date{-1e7})); }), kOverflow);
}

TEST(Coercion, MissingIsNoValueAndEmptyIsZero) {
  EXPECT_EQ(ErrorOf([] { ToString(Variant::Missing()); }), kTypeMismatch);
  EXPECT_EQ(ToDouble(Variant()), 0.0);
}

}  // namespace
