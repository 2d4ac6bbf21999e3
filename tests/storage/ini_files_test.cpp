// Missing files and folders, folders named as files, file modes, text that
// would read back as another encoding.
#include <sys/stat.h>

#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace vantrel::storage::ini::testing {
namespace {

namespace fs = std::filesystem;
using FilesTest = IniTest;

TEST_F(FilesTest, ReadsOfAMissingFileGiveTheDefaultAndCreateNothing) {
  const Read read = Value("s", "k", "default");
  EXPECT_EQ(read.text, "default");
  EXPECT_EQ(read.count, 7u);
  EXPECT_TRUE(ReadSections(file()).empty());
  EXPECT_TRUE(ReadKeys(file(), "s").empty());
  {
    Transaction tx(file());  // a locked read: no lock file either
    EXPECT_TRUE(ReadSections(file()).empty());
  }
  EXPECT_FALSE(Exists());
  EXPECT_FALSE(fs::exists(file().string() + ".lock"));
}

TEST_F(FilesTest, MissingFolderReadsTheDefaultAndRefusesWrites) {
  const fs::path nowhere = folder() / "no" / "such" / "x.ini";
  EXPECT_EQ(ReadValue(nowhere, "s", "k"), "");
  EXPECT_FALSE(WriteProfileString("s", "k", "v", nowhere));
  EXPECT_FALSE(fs::exists(folder() / "no"));
}

TEST_F(FilesTest, FolderAsPathReadsEmptyAndRefusesWritesAndDeletes) {
  fs::create_directory(file());
  EXPECT_EQ(Value("s", "k", "d").text, "d");
  EXPECT_TRUE(ReadSections(file()).empty());
  EXPECT_EQ(static_cast<std::int32_t>(GetProfileInt("s", "k", 5, file())), 5);
  EXPECT_FALSE(WriteProfileString("s", "k", "v", file()));
  EXPECT_FALSE(LastIniError().empty());
  EXPECT_FALSE(WriteProfileString("s", "k", std::nullopt, file()));
  EXPECT_FALSE(WriteProfileSection("s", std::nullopt, file()));
  EXPECT_TRUE(fs::is_directory(file()));
  EXPECT_TRUE(fs::is_empty(file()));
}

TEST_F(FilesTest, ReplacedFileKeepsItsModeAndNoTemporaryFileStays) {
  Lay("[s]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(file().c_str(), 0640), 0);
  ASSERT_TRUE(WriteProfileString("s", "k", "2", file()));
  struct stat st {};
  ASSERT_EQ(::stat(file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  for (const auto& entry : fs::directory_iterator(folder())) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(name, "test.ini");
  }
}

TEST_F(FilesTest, FileCreatedByATransactionGetsTheModeAskedFor) {
  {
    Transaction tx(file());
    tx.SetNewFileMode(0600);
    ASSERT_TRUE(WriteProfileString("s", "k", "secret", file()));
    ASSERT_TRUE(tx.Commit());
  }
  struct stat st {};
  ASSERT_EQ(::stat(file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  ASSERT_EQ(::chmod(file().c_str(), 0644), 0);
  Transaction tx(file());
  tx.SetNewFileMode(0600);
  ASSERT_TRUE(WriteProfileString("s", "k", "other", file()));
  ASSERT_TRUE(tx.Commit());
  ASSERT_EQ(::stat(file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);  // an existing file keeps its mode
}

TEST_F(FilesTest, SingleByteTextThatWouldStartLikeUtf16IsNotWritten) {
  const std::string start = "k=1\r\n\xFF\xFEx=2\r\n";
  Lay(start);
  EXPECT_FALSE(WriteProfileString("", "k", std::nullopt, file()));  // the bytes would come first
  EXPECT_NE(LastIniError().find("byte-order mark"), std::string::npos);
  EXPECT_EQ(Bytes(), start);
  Lay("");
  EXPECT_FALSE(WriteProfileString("", "\xFE\xFF", "v", file()));
  EXPECT_EQ(Bytes(), "");
  {
    Transaction tx(file());  // judged on the text at commit, not on each step
    ASSERT_TRUE(WriteProfileString("", "\xFE\xFF", "v", file()));
    ASSERT_TRUE(WriteProfileString("s", "k", "v", file()));
    EXPECT_FALSE(tx.Commit());
  }
  EXPECT_EQ(Bytes(), "");
  Lay(start);
  ASSERT_TRUE(WriteProfileString("", "x", "3", file()));  // later in the text: harmless
  EXPECT_EQ(ReadValue(file(), "", "k"), "1");
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
