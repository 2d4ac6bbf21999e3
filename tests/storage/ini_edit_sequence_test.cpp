// A transaction's edits change only the sections they touch and give the file
// text once, at commit: the result must be the file that the same edits give
// one call at a time (each reading the file afresh), whatever the edits do to
// the file's shape: a key line that reads as a header, a deleted section's
// comments joining the section before, namesakes, UTF-16, a last line without
// a line end. Also: one whole-section read gives what the per-key reads give.
#include <random>
#include <string>
#include <vector>

#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using EditSequence = IniTest;

std::string Utf16Le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += {c, '\0'};
  return out;
}

const std::vector<std::string> kStarts = {
    "k=0\r\n[a]\r\nx=1\r\n=e\r\n=f\r\n; note\r\n\r\n[B]\r\ny=2\r\n[A]\r\nx=3\r\n[c]\r\n;c\r\nz=4",
    Utf16Le("[a]\r\nx=1\r\n;n\r\n[b]"), ""};

void RandomEdit(std::mt19937& random, const std::filesystem::path& file) {
  static const char* const sections[] = {"a", "A", "b", "c", "", "[x", "new"};
  static const char* const keys[] = {"x", "y", "z", "", "[k", ";c", "k"};
  const char* section = sections[random() % 7];
  const char* key = keys[random() % 7];
  const std::string value = std::to_string(random() % 3);
  switch (random() % 6) {
    case 0: WriteProfileSection(section, std::nullopt, file); break;
    case 1: WriteProfileString(section, key, std::nullopt, file); break;
    case 2: WriteProfileSection(section, std::string("p=1\0[q]=2\0", 10), file); break;
    default: WriteProfileString(section, key, value, file); break;
  }
}

TEST_F(EditSequence, OneTransactionGivesWhatSingleCallsGive) {
  for (const std::string& start : kStarts) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
      std::mt19937 one(seed), many(seed);
      Lay(start);
      for (int i = 0; i < 10; ++i) RandomEdit(one, file());
      const std::string expected = Bytes();
      Lay(start);
      Transaction tx(file());
      for (int i = 0; i < 10; ++i) RandomEdit(many, file());
      ASSERT_TRUE(tx.Commit());
      ASSERT_EQ(Bytes(), expected) << "seed " << seed << " start " << start.size();
    }
  }
}

TEST_F(EditSequence, WholeSectionReadMatchesPerKeyReads) {
  Lay("[s]\r\nk=\"quoted\"\r\nK=second\r\nlong=abcdefgh\r\n=e\r\nbare\r\n[ s ]\r\nk=other\r\n");
  std::vector<KeyValue> expected;
  for (const std::string& name : ReadKeys(file(), "s")) expected.push_back({name, ReadValue(file(), "s", name, 6)});
  const std::vector<KeyValue> got = ReadKeyValues(file(), "s", 6);
  ASSERT_EQ(got.size(), 4u);
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].name, expected[i].name);
    EXPECT_EQ(got[i].value, expected[i].value) << got[i].name;
  }
  EXPECT_EQ(got[1].value, "quote");  // the first "k" for "K", unquoted and cut
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
