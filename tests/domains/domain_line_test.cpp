// Layout of DOMAINS lines: splitting, and the six-field form that keeps the
// FTP server's own fields of a line it rewrites.
#include <gtest/gtest.h>

#include "storage/servu/domain_line.hpp"

namespace vantrel::storage::servu {
namespace {

using Fields = std::vector<std::u16string>;

TEST(DomainLineSplit, SplitsAtEveryBarKeepingSpacesAndEmptyFields) {
  EXPECT_EQ(SplitDomainLine(u" 10.0.0.1 ||21| a b |7|0"), (Fields{u" 10.0.0.1 ", u"", u"21", u" a b ", u"7", u"0"}));
  EXPECT_EQ(SplitDomainLine(u""), Fields{u""});
  EXPECT_EQ(SplitDomainLine(u"a|"), (Fields{u"a", u""}));
}

TEST(DomainLineFormat, NewLineHasSixFieldsWithEmptySecondAndZeroSixth) {
  EXPECT_EQ(FormatDomainLine(u"192.168.0.5", 21, u"H", 7), u"192.168.0.5||21|H|7|0");
  EXPECT_EQ(FormatDomainLine(u"", -5, u"", 32767), u"||-5||32767|0");
}

TEST(DomainLineFormat, RewriteKeepsServerFieldsOneFiveAndFurther) {
  const Fields server = SplitDomainLine(u"1.1.1.1|x1|21|old|3|5|six|seven");
  EXPECT_EQ(FormatDomainLine(u"2.2.2.2", 2121, u"new", 3, server), u"2.2.2.2|x1|2121|new|3|5|six|seven");
}

TEST(DomainLineFormat, RewriteOfAFiveFieldLineGetsTheDefaultSixthField) {
  const Fields server = SplitDomainLine(u"1.1.1.1|keep|21|old|3");
  EXPECT_EQ(FormatDomainLine(u"1.1.1.1", 21, u"old", 3, server), u"1.1.1.1|keep|21|old|3|0");
}

TEST(DomainLineKeys, KeysAreDomainAndDecimalNumber) {
  EXPECT_EQ(DomainKey(1), u"Domain1");
  EXPECT_EQ(DomainKey(12), u"Domain12");
}

}  // namespace
}  // namespace vantrel::storage::servu
