// The Windows wildcard rules the POSIX folder search applies to names.
#include <gtest/gtest.h>

#include "automation/text.hpp"
#include "storage/name_pattern.hpp"

namespace {

using vantrel::storage::MatchesNamePattern;

TEST(NamePattern, WindowsWildcardRules) {
  const struct {
    const char16_t *pattern, *name;
    bool matches;
  } cases[] = {
      // "*" and "*.*" match every name.
      {u"*.*", u"x.txt", true}, {u"*.*", u"noext", true}, {u"*.*", u".htaccess", true},
      {u"*.*", u"trailing.", true}, {u"*", u"a.b.c", true},
      // Extensions.
      {u"*.txt", u"a.b.txt", true}, {u"*.txt", u".txt", true}, {u"*.txt", u"x.txt.bak", false},
      {u"*.txt", u"xtxt", false}, {u"x.*", u"x", true}, {u"x.*", u"x.log", true}, {u"x.*", u"xy", false},
      {u"*.", u"noext", true}, {u"*.", u"x.txt", false},
      // Letters without regard to case, beyond ASCII too.
      {u"*.TXT", u"readme.txt", true}, {u"Readme.Txt", u"README.TXT", true}, {u"\u00c4*", u"\u00e4rger", true},
      {u"readme.txt", u"readme.txt2", false},
      // "?" is one character, or none before the extension's dot and at the end.
      {u"?.txt", u"a.txt", true}, {u"?.txt", u"ab.txt", false}, {u"a?.txt", u"a.txt", true},
      {u"file??", u"file1", true}, {u"file??", u"file12", true}, {u"file??", u"file123", false},
      {u"f?le", u"fle", false},
      // Stars in the middle.
      {u"a*z", u"az", true}, {u"a*z", u"abcz", true}, {u"a*z", u"abcza", false},
      {u"*report*", u"2004-report-final.doc", true}, {u"", u"x", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesNamePattern(c.pattern, c.name), c.matches)
        << vantrel::automation::ToUtf8(c.pattern) << " ~ " << vantrel::automation::ToUtf8(c.name);
  }
}

TEST(NamePattern, LongNamesWithManyStarsStayQuick) {
  const std::u16string name(4000, u'a');
  EXPECT_FALSE(MatchesNamePattern(u"*a*a*a*a*a*a*a*b", name));
}

}  // namespace
