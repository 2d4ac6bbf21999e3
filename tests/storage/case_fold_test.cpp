#include "storage/case_fold.hpp"

#include <gtest/gtest.h>

#include "automation/text.hpp"
#include "storage/blanks.hpp"
#include "storage/native_text.hpp"

namespace vantrel::storage {
namespace {

TEST(LetterCase, LettersOfEveryScriptPairAndOtherCharactersStay) {
  const std::pair<char32_t, char32_t> lower[] = {
      {U'A', U'a'}, {U'É', U'é'}, {U'Ÿ', U'ÿ'}, {U'Σ', U'σ'}, {U'Ά', U'ά'}, {U'Ж', U'ж'},
      {U'Ё', U'ё'}, {U'Ａ', U'ａ'}, {U'ā', U'ā'}, {U'𐐀', U'𐐨'}, {U'İ', U'i'}};
  const std::pair<char32_t, char32_t> upper[] = {
      {U'z', U'Z'}, {U'þ', U'Þ'}, {U'ÿ', U'Ÿ'}, {U'ς', U'Σ'}, {U'ё', U'Ё'},
      {U'ł', U'Ł'},  // alternating blocks: upper, lower, upper, ...
      {U'ı', U'I'}, {U'ſ', U'S'}, {U'i', U'I'}};  // not the dotted capital
  for (const auto& [from, to] : lower) EXPECT_EQ(LowerChar(from), to) << static_cast<unsigned>(from);
  for (const auto& [from, to] : upper) EXPECT_EQ(UpperChar(from), to) << static_cast<unsigned>(from);
  for (char32_t c : {U'0', U'9', U'@', U'[', U'`', U'{', U'×', U'÷', U'ß', U'\\', U'中'}) {
    EXPECT_EQ(LowerChar(c), c) << static_cast<unsigned>(c);
    EXPECT_EQ(UpperChar(c), c) << static_cast<unsigned>(c);
  }
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
  EXPECT_EQ(automation::FromUtf8(Utf16ToUtf8(text)), text);
}

TEST(NativeText, InvalidBytesBecomeEscapesAndComeBack) {
  const std::string bytes = "a\xFF" "b\xC3(\xED\xA0\x80\xF0\x9F";  // stray, bad trail, surrogate, short
  const std::u16string text = automation::FromUtf8(bytes);
  EXPECT_EQ(text[1], static_cast<char16_t>(0xDCFF));
  EXPECT_EQ(text[3], static_cast<char16_t>(0xDCC3));
  EXPECT_EQ(Utf16ToUtf8(text), bytes);
}

TEST(NativeText, LoneSurrogateOutsideTheEscapeRangeBecomesReplacement) {
  const std::u16string text{u'x', static_cast<char16_t>(0xD800), u'y'};
  EXPECT_EQ(Utf16ToUtf8(text), "x\xEF\xBF\xBDy");
}

TEST(Blanks, EachRuleTrimsItsOwnSet) {
  EXPECT_EQ(TrimSpaces(u"  al ice  "), u"al ice");
  EXPECT_EQ(TrimSpaces(u"\tx\t"), u"\tx\t");
  EXPECT_EQ(Trim(std::string_view(" \t\v\fk=v\f"), kProfileBlanks), "k=v");
  EXPECT_EQ(Trim(std::string_view("\xA0x\r"), kProfileBlanks), "\xA0x\r");  // an ANSI byte is no blank
  EXPECT_EQ(Trim(u"\u00A0\r\n 12\t", kNumberBlanks), u"12");
}

}  // namespace
}  // namespace vantrel::storage
