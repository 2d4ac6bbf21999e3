#include <gtest/gtest.h>

#include "core/path_rules.hpp"

namespace vantrel::wizard {
namespace {

TEST(FolderOf, KeepsEverythingUpToTheLastSeparatorOfThePlatform) {
  const struct {
    const char16_t* path;
    Separators separators;
    const char16_t* folder;
  } cases[] = {
      {u"C:\\Program Files\\Serv-U\\ServUDaemon.exe", Separators::BackslashOnly, u"C:\\Program Files\\Serv-U\\"},
      {u"C:\\x\\", Separators::BackslashOnly, u"C:\\x\\"},
      {u"\\", Separators::BackslashOnly, u"\\"},
      {u"ServUDaemon.exe", Separators::BackslashOnly, u"ServUDaemon.exe"},  // no separator: unchanged
      {u"", Separators::BackslashOnly, u""},
      {u"/srv/ftp/other.exe", Separators::BackslashAndSlash, u"/srv/ftp/"},
      {u"/srv/ftp/other.exe", Separators::BackslashOnly, u"/srv/ftp/other.exe"},
      {u"C:\\a/b\\c/d.exe", Separators::BackslashAndSlash, u"C:\\a/b\\c/"},
      {u"C:\\a/b\\c/d.exe", Separators::BackslashOnly, u"C:\\a/b\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderOf(c.path, c.separators), c.folder);
}

TEST(EndsWithIgnoringCase, ComparesTheTailInAnyLetterCase) {
  EXPECT_TRUE(EndsWithIgnoringCase(u"C:\\x\\servudaemon.EXE", u"servudaemon.exe"));
  EXPECT_TRUE(EndsWithIgnoringCase(u"SERVUDAEMON.EXE", u"servudaemon.exe"));
  EXPECT_FALSE(EndsWithIgnoringCase(u"C:\\x\\servudaemon.exe ", u"servudaemon.exe"));
  EXPECT_FALSE(EndsWithIgnoringCase(u"daemon.exe", u"servudaemon.exe"));
  EXPECT_FALSE(EndsWithIgnoringCase(u"", u"servupath.asp"));
  // A fullwidth letter is a different character, not another case of 'a'.
  EXPECT_FALSE(EndsWithIgnoringCase(u"servupath.\uFF41sp", u"servupath.asp"));
}

}  // namespace
}  // namespace vantrel::wizard
