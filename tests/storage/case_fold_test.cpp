#include "storage/case_fold.hpp"

#include <gtest/gtest.h>

#include "storage/native_text.hpp"

namespace vantrel::storage {
namespace {

TEST(LetterCase, AsciiAndLatin1LettersPair) {
  EXPECT_EQ(LowerChar(U'A'), U'a');
  EXPECT_EQ(UpperChar(U'z'), U'Z');
  EXPECT_EQ(LowerChar(U'É'), U'é');
  EXPECT_EQ(UpperChar(U'þ'), U'Þ');
  EXPECT_EQ(UpperChar(U'ÿ'), U'Ÿ');
  EXPECT_EQ(LowerChar(U'Ÿ'), U'ÿ');
}

TEST(LetterCase, NonLettersAreLeftAlone) {
  for (char32_t c : {U'0', U'9', U'@', U'[', U'`', U'{', U'×', U'÷', U'ß', U'\\', U'中'}) {
    EXPECT_EQ(LowerChar(c), c) << static_cast<unsigned>(c);
    EXPECT_EQ(UpperChar(c), c) << static_cast<unsigned>(c);
  }
}

TEST(LetterCase, GreekCyrillicAndFullWidth) {
  EXPECT_EQ(LowerChar(U'Σ'), U'σ');
  EXPECT_EQ(UpperChar(U'ς'), U'Σ');
  EXPECT_EQ(LowerChar(U'Ά'), U'ά');
  EXPECT_EQ(LowerChar(U'Ж'), U'ж');
  EXPECT_EQ(LowerChar(U'Ё'), U'ё');
  EXPECT_EQ(UpperChar(U'ё'), U'Ё');
  EXPECT_EQ(LowerChar(U'Ａ'), U'ａ');
  EXPECT_EQ(UpperChar(U'ł'), U'Ł');  // alternating blocks: upper, lower, upper, ...
  EXPECT_EQ(LowerChar(U'ā'), U'ā');
  EXPECT_EQ(LowerChar(U'𐐀'), U'𐐨');
}

TEST(LetterCase, SpecialUpperCaseForms) {
  EXPECT_EQ(UpperChar(U'ı'), U'I');
  EXPECT_EQ(UpperChar(U'ſ'), U'S');
  EXPECT_EQ(LowerChar(U'İ'), U'i');
  EXPECT_EQ(UpperChar(U'i'), U'I');  // not the dotted capital
}

TEST(LetterCase, UpperTextKeepsSurrogatePairsTogether) {
  EXPECT_EQ(UpperText(u"ServUDaemon.ini"), u"SERVUDAEMON.INI");
  EXPECT_EQ(UpperText(u"x𐐨y"), u"X𐐀Y");
  const std::u16string lone{u'a', static_cast<char16_t>(0xD801)};
  EXPECT_EQ(UpperText(lone), (std::u16string{u'A', static_cast<char16_t>(0xD801)}));
}

TEST(LetterCase, EqualsIgnoreCaseComparesWholeTexts) {
  EXPECT_TRUE(EqualsIgnoreCase(u"ServUDaemon.INI", u"servudaemon.ini"));
  EXPECT_TRUE(EqualsIgnoreCase(u"ÄÖÜ", u"äöü"));
  EXPECT_FALSE(EqualsIgnoreCase(u"abc", u"abcd"));
  EXPECT_FALSE(EqualsIgnoreCase(u"abd", u"abc"));
  EXPECT_TRUE(EqualsIgnoreCase(u"", u""));
}

TEST(LetterCase, Utf8ComparisonMatchesInvalidBytesOnlyExactly) {
  EXPECT_TRUE(EqualsIgnoreCaseUtf8("Ünïcödé", "üNÏCÖDÉ"));
  EXPECT_TRUE(EqualsIgnoreCaseUtf8("caf\xE9", "CAF\xE9"));
  EXPECT_FALSE(EqualsIgnoreCaseUtf8("caf\xE9", "caf\xC9"));
  EXPECT_FALSE(EqualsIgnoreCaseUtf8("\xC3", "\xC3\xA9"));  // truncated sequence
}

// ---- UTF-8 file names -----------------------------------------------------

TEST(NativeText, ValidTextRoundTrips) {
  const std::u16string text = u"Serv-U Ärger 日本 𝄞";
  EXPECT_EQ(Utf16ToUtf8(text), "Serv-U \xC3\x84rger \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9D\x84\x9E");
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
}

TEST(NativeText, InvalidBytesBecomeEscapesAndComeBack) {
  const std::string bytes = "a\xFF" "b\xC3(\xED\xA0\x80\xF0\x9F";  // stray, bad trail, surrogate, short
  const std::u16string text = Utf8ToUtf16(bytes);
  EXPECT_EQ(text[1], static_cast<char16_t>(0xDCFF));
  EXPECT_EQ(text[3], static_cast<char16_t>(0xDCC3));
  EXPECT_EQ(Utf16ToUtf8(text), bytes);
}

TEST(NativeText, LoneSurrogateOutsideTheEscapeRangeBecomesReplacement) {
  const std::u16string text{u'x', static_cast<char16_t>(0xD800), u'y'};
  EXPECT_EQ(Utf16ToUtf8(text), "x\xEF\xBF\xBDy");
}

}  // namespace
}  // namespace vantrel::storage
