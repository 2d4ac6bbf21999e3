// Deleting keys and sections.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using DeletingTest = IniTest;

// A deletion (a key, or the whole section when no key is given) in a file
// with the given bytes, and the bytes it leaves. Deleting what is not there
// succeeds and changes nothing.
TEST_F(DeletingTest, DeletionsRemoveOnlyTheLinesTheyConcern) {
  const struct {
    std::string before;
    const char* section;
    std::optional<const char*> key;
    std::string after;
  } cases[] = {
      {"[s]\r\nK=1\r\nk=2\r\n[t]\r\n", "s", "k", "[s]\r\nk=2\r\n[t]\r\n"},  // the first line only
      {"[s]\r\nk=2\r\n[t]\r\n", "S", "K", "[s]\r\n[t]\r\n"},                 // the header stays
      {"[s]\nk=1\n", "s", "missing", "[s]\nk=1\n"},
      {"[s]\nk=1\n", "missing", "k", "[s]\nk=1\n"},
      {"[s]\nk=1\n", "missing", std::nullopt, "[s]\nk=1\n"},
      {"[s]\r\nk=1\r\n", " s ", "k", "[s]\r\nk=1\r\n"},  // names are taken as given
      {"[s]\r\nk=1\r\n", "s", " k", "[s]\r\nk=1\r\n"},
      {"[s]\r\nk=1\r\n", " s", std::nullopt, "[s]\r\nk=1\r\n"},
      // A section goes with its lines but not its comments.
      {"; top\r\n[a]\r\nx=1\r\n[b]\r\n;about b\r\ny=2\r\nbare\r\n\r\n[c]\r\nz=3\r\n", "B", std::nullopt,
       "; top\r\n[a]\r\nx=1\r\n;about b\r\n[c]\r\nz=3\r\n"},
      {"[d]\r\na=1\r\n[D]\r\nb=2\r\n", "d", std::nullopt, "[D]\r\nb=2\r\n"},  // the first duplicate only
      {"; keep\r\ntop=1\r\n[s]\r\nk=2\r\n", "", std::nullopt, "; keep\r\n[s]\r\nk=2\r\n"},
      {"", "s", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    Lay(c.before);
    EXPECT_TRUE(c.key ? WriteProfileString(c.section, *c.key, std::nullopt, file())
                      : WriteProfileSection(c.section, std::nullopt, file()))
        << c.before;
    EXPECT_EQ(Bytes(), c.after) << c.before;
  }
}

TEST_F(DeletingTest, NullKeyWithAValueAlsoDeletesTheSection) {
  Lay("[a]\r\nx=1\r\n[b]\r\n");
  ASSERT_TRUE(WriteProfileString("a", std::nullopt, "ignored", file()));
  EXPECT_EQ(Bytes(), "[b]\r\n");
}

TEST_F(DeletingTest, DeletesOnAMissingFileCreateNothing) {
  EXPECT_TRUE(WriteProfileString("s", "k", std::nullopt, file()));
  EXPECT_TRUE(WriteProfileSection("s", std::nullopt, file()));
  EXPECT_TRUE(ReplaceSection(file(), "s", {}));
  EXPECT_FALSE(Exists());
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
