#include <gtest/gtest.h>

#include "core/unicode_text.hpp"

namespace vantrel::wizard {
namespace {

TEST(UnicodeText, RoundTripsEveryPlane) {
  const std::u16string text = u"a\u00E9\u4E2D\uFFE5\U0001F600z";
  const std::string utf8 = Utf8FromUtf16(text);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE4\xB8\xAD\xEF\xBF\xA5\xF0\x9F\x98\x80z");
  EXPECT_EQ(Utf16FromUtf8(utf8), text);
}

TEST(UnicodeText, UnpairedSurrogateBecomesTheReplacementCharacter) {
  const std::u16string lone = {u'a', static_cast<char16_t>(0xD800), u'b'};
  EXPECT_EQ(Utf8FromUtf16(lone), "a\xEF\xBF\xBD" "b");
  const std::u16string trailing = {static_cast<char16_t>(0xDC00)};
  EXPECT_EQ(Utf8FromUtf16(trailing), "\xEF\xBF\xBD");
}

TEST(UnicodeText, MalformedBytesBecomeTheReplacementCharacter) {
  EXPECT_EQ(Utf16FromUtf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf16FromUtf8("\xE4\xB8"), u"\uFFFD\uFFFD");           // cut short
  EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong '/'
  EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

}  // namespace
}  // namespace vantrel::wizard
