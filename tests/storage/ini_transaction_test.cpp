// Transactions: own edits visible, one write at commit, nothing without
// commit, nesting, and two processes that lose nothing.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace vantrel::storage::ini::testing {
namespace {

namespace fs = std::filesystem;
using TransactionTest = IniTest;

ino_t Inode(const fs::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(TransactionTest, ReadsSeeTheTransactionsOwnEditsBeforeCommit) {
  Lay("[s]\r\nk=1\r\n");
  Transaction tx(file());
  ASSERT_TRUE(WriteProfileString("s", "k", "2", file()));
  ASSERT_TRUE(WriteProfileString("new", "a", "b", file()));
  EXPECT_EQ(ReadValue(file(), "s", "k"), "2");
  EXPECT_EQ(ReadSections(file()), (std::vector<std::string>{"s", "new"}));
  EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");  // nothing on disk yet
  ASSERT_TRUE(tx.Commit());
  EXPECT_EQ(Bytes(), "[s]\r\nk=2\r\n[new]\r\na=b\r\n");
}

TEST_F(TransactionTest, LookupsFollowEachEditInsideATransaction) {
  Lay("[d]\r\na=1\r\n[x]\r\n[D]\r\nb=2\r\n");
  Transaction tx(file());
  EXPECT_EQ(ReadValue(file(), "d", "b"), "");
  ASSERT_TRUE(WriteProfileSection("d", std::nullopt, file()));
  EXPECT_EQ(ReadValue(file(), "d", "b"), "2");  // the later duplicate is now the first
  ASSERT_TRUE(WriteProfileString("new", "k", "v", file()));
  EXPECT_EQ(ReadValue(file(), "NEW", "k"), "v");
  ASSERT_TRUE(WriteProfileSection("x", std::nullopt, file()));
  EXPECT_EQ(ReadValue(file(), "d", "b"), "2");
  EXPECT_TRUE(ReadKeys(file(), "x").empty());
}

TEST_F(TransactionTest, WithoutCommitNothingIsWritten) {
  Lay("[s]\r\nk=1\r\n");
  {
    Transaction tx(file());
    ASSERT_TRUE(WriteProfileSection("s", std::nullopt, file()));
    EXPECT_TRUE(ReadSections(file()).empty());
  }
  EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
  EXPECT_EQ(ReadValue(file(), "s", "k"), "1");
}

TEST_F(TransactionTest, CommitWritesOnceAndOnlyWhenSomethingChanged) {
  Lay("[s]\r\nk=1\r\n");
  const ino_t original = Inode(file());
  {
    Transaction tx(file());
    ASSERT_TRUE(WriteProfileString("s", "k", "1", file()));
    ASSERT_TRUE(WriteProfileString("s", "missing", std::nullopt, file()));
    ASSERT_TRUE(tx.Commit());
  }
  EXPECT_EQ(Inode(file()), original);
  Transaction tx(file());
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(WriteProfileString("s", "k" + std::to_string(i), "v", file()));
  EXPECT_EQ(Inode(file()), original);
  ASSERT_TRUE(tx.Commit());
  EXPECT_NE(Inode(file()), original);
  EXPECT_EQ(ReadKeys(file(), "s").size(), 21u);
}

TEST_F(TransactionTest, NestedScopesJoinTheOuterOne) {
  Lay("[s]\r\nk=1\r\n");
  Transaction outer(file());
  {
    Transaction inner(fs::path(folder()) / "." / "test.ini");
    EXPECT_TRUE(inner.Joined());
    ASSERT_TRUE(WriteProfileString("s", "k", "2", file()));
    EXPECT_TRUE(inner.Commit());
    EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
  }
  EXPECT_FALSE(outer.Joined());
  EXPECT_EQ(ReadValue(file(), "s", "k"), "2");
  ASSERT_TRUE(outer.Commit());
  EXPECT_EQ(Bytes(), "[s]\r\nk=2\r\n");
}

TEST_F(TransactionTest, OtherFilesAreNotPartOfTheTransaction) {
  const fs::path other = folder() / "other.ini";
  Transaction tx(file());
  ASSERT_TRUE(WriteProfileString("s", "k", "v", other));
  EXPECT_TRUE(fs::exists(other));  // written at once
  EXPECT_FALSE(Exists());
}

// Each process adds its own keys and increments a shared counter, many times;
// false when a commit fails.
bool Worker(const fs::path& file, const std::string& name, int rounds) {
  for (int i = 0; i < rounds; ++i) {
    Transaction tx(file);
    const std::int32_t n = static_cast<std::int32_t>(GetProfileInt("counter", "n", 0, file));
    WriteProfileString("counter", "n", std::to_string(n + 1), file);
    WriteProfileString(name, "k" + std::to_string(i), std::to_string(i), file);
    if (!tx.Commit()) return false;
  }
  return true;
}

TEST_F(TransactionTest, TwoProcessesDoingReadModifyWriteLoseNothing) {
  constexpr int kRounds = 150;
  Lay("[counter]\r\nn=0\r\n");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(Worker(file(), "child", kRounds) ? 0 : 2);
  EXPECT_TRUE(Worker(file(), "parent", kRounds)) << LastIniError();
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(static_cast<std::int32_t>(GetProfileInt("counter", "n", -1, file())), 2 * kRounds);
  EXPECT_EQ(ReadKeys(file(), "child").size(), static_cast<std::size_t>(kRounds));
  EXPECT_EQ(ReadKeys(file(), "parent").size(), static_cast<std::size_t>(kRounds));
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
