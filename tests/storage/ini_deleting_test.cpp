// Deleting keys and sections.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using DeletingTest = IniTest;

TEST_F(DeletingTest, DeletingAKeyRemovesItsFirstLineAndKeepsTheHeader) {
  Lay("[s]\r\nK=1\r\nk=2\r\n[t]\r\n");
  ASSERT_TRUE(DeleteKey(file(), "s", "k"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=2\r\n[t]\r\n");
  EXPECT_EQ(Value("s", "k").text, "2");
  ASSERT_TRUE(DeleteKey(file(), "S", "K"));
  EXPECT_EQ(Bytes(), "[s]\r\n[t]\r\n");
}

TEST_F(DeletingTest, DeletingWhatIsNotThereSucceedsAndLeavesTheFileAlone) {
  const std::string before = "[s]\nk=1\n";
  Lay(before);
  EXPECT_TRUE(DeleteKey(file(), "s", "missing"));
  EXPECT_TRUE(DeleteKey(file(), "missing", "k"));
  EXPECT_TRUE(DeleteSection(file(), "missing"));
  EXPECT_EQ(Bytes(), before);
}

TEST_F(DeletingTest, DeletingASectionRemovesItsLinesButKeepsComments) {
  Lay("; top\r\n[a]\r\nx=1\r\n[b]\r\n;about b\r\ny=2\r\nbare\r\n\r\n[c]\r\nz=3\r\n");
  ASSERT_TRUE(DeleteSection(file(), "B"));
  EXPECT_EQ(Bytes(), "; top\r\n[a]\r\nx=1\r\n;about b\r\n[c]\r\nz=3\r\n");
}

TEST_F(DeletingTest, NullKeyWithAValueAlsoDeletesTheSection) {
  Lay("[a]\r\nx=1\r\n[b]\r\n");
  ASSERT_TRUE(WriteProfileString("a", std::nullopt, "ignored", file()));
  EXPECT_EQ(Bytes(), "[b]\r\n");
}

TEST_F(DeletingTest, OnlyTheFirstDuplicateSectionIsDeleted) {
  Lay("[d]\r\na=1\r\n[D]\r\nb=2\r\n");
  ASSERT_TRUE(DeleteSection(file(), "d"));
  EXPECT_EQ(Bytes(), "[D]\r\nb=2\r\n");
  EXPECT_EQ(Value("d", "b").text, "2");
}

TEST_F(DeletingTest, TheBlockBeforeTheFirstHeaderCanBeDeleted) {
  Lay("; keep\r\ntop=1\r\n[s]\r\nk=2\r\n");
  ASSERT_TRUE(DeleteSection(file(), ""));
  EXPECT_EQ(Bytes(), "; keep\r\n[s]\r\nk=2\r\n");
}

TEST_F(DeletingTest, DeletesOnMissingOrEmptyFileCreateNothing) {
  EXPECT_TRUE(DeleteKey(file(), "s", "k"));
  EXPECT_TRUE(DeleteSection(file(), "s"));
  EXPECT_TRUE(ReplaceSection(file(), "s", {}));
  EXPECT_FALSE(Exists());
  Lay("");
  EXPECT_TRUE(DeleteSection(file(), "s"));
  EXPECT_EQ(Bytes(), "");
}

TEST_F(DeletingTest, DeletionsTakeNamesAsGiven) {
  const std::string before = "[s]\r\nk=1\r\n";
  Lay(before);
  EXPECT_TRUE(DeleteKey(file(), " s ", "k"));
  EXPECT_TRUE(DeleteKey(file(), "s", " k"));
  EXPECT_TRUE(DeleteSection(file(), " s"));
  EXPECT_EQ(Bytes(), before);
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
