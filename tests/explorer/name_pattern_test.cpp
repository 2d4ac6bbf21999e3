// The Windows wildcard rules the POSIX folder search applies to names.
#include <gtest/gtest.h>

#include "storage/name_pattern.hpp"

namespace {

using vantrel::storage::MatchesNamePattern;

TEST(NamePattern, StarDotStarMatchesEveryName) {
  for (const char16_t* name : {u"x.txt", u"noext", u".htaccess", u"a.b.c", u"trailing."}) {
    EXPECT_TRUE(MatchesNamePattern(u"*.*", name));
    EXPECT_TRUE(MatchesNamePattern(u"*", name));
  }
}

TEST(NamePattern, ExtensionPatterns) {
  EXPECT_TRUE(MatchesNamePattern(u"*.txt", u"x.txt"));
  EXPECT_TRUE(MatchesNamePattern(u"*.txt", u"a.b.txt"));
  EXPECT_FALSE(MatchesNamePattern(u"*.txt", u"x.txt.bak"));
  EXPECT_FALSE(MatchesNamePattern(u"*.txt", u"xtxt"));
  EXPECT_TRUE(MatchesNamePattern(u"*.txt", u".txt"));
  EXPECT_TRUE(MatchesNamePattern(u"x.*", u"x"));
  EXPECT_TRUE(MatchesNamePattern(u"x.*", u"x.log"));
  EXPECT_FALSE(MatchesNamePattern(u"x.*", u"xy"));
  EXPECT_TRUE(MatchesNamePattern(u"*.", u"noext"));
  EXPECT_FALSE(MatchesNamePattern(u"*.", u"x.txt"));
}

TEST(NamePattern, LettersMatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesNamePattern(u"*.TXT", u"readme.txt"));
  EXPECT_TRUE(MatchesNamePattern(u"Readme.Txt", u"README.TXT"));
  EXPECT_TRUE(MatchesNamePattern(u"\u00c4*", u"\u00e4rger"));  // not just ASCII
  EXPECT_FALSE(MatchesNamePattern(u"readme.txt", u"readme.txt2"));
}

TEST(NamePattern, QuestionMarkIsOneCharacterOrNoneAtTheEnd) {
  EXPECT_TRUE(MatchesNamePattern(u"?.txt", u"a.txt"));
  EXPECT_FALSE(MatchesNamePattern(u"?.txt", u"ab.txt"));
  EXPECT_TRUE(MatchesNamePattern(u"a?.txt", u"a.txt")) << "nothing before the extension's dot";
  EXPECT_TRUE(MatchesNamePattern(u"file??", u"file1"));
  EXPECT_TRUE(MatchesNamePattern(u"file??", u"file12"));
  EXPECT_FALSE(MatchesNamePattern(u"file??", u"file123"));
  EXPECT_FALSE(MatchesNamePattern(u"f?le", u"fle") ) << "inside a name a ? needs a character";
}

TEST(NamePattern, StarsInTheMiddle) {
  EXPECT_TRUE(MatchesNamePattern(u"a*z", u"az"));
  EXPECT_TRUE(MatchesNamePattern(u"a*z", u"abcz"));
  EXPECT_FALSE(MatchesNamePattern(u"a*z", u"abcza"));
  EXPECT_TRUE(MatchesNamePattern(u"*report*", u"2004-report-final.doc"));
  EXPECT_FALSE(MatchesNamePattern(u"", u"x"));
}

TEST(NamePattern, LongNamesWithManyStarsStayQuick) {
  const std::u16string name(4000, u'a');
  EXPECT_FALSE(MatchesNamePattern(u"*a*a*a*a*a*a*a*b", name));
}

}  // namespace
