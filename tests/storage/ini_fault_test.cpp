// Failures at each step of a write leave the old file byte-identical.
#include <algorithm>

#include "ini_test_support.hpp"
#include "storage/file_io.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace vantrel::storage::ini::testing {
namespace {

namespace fs = std::filesystem;

enum class Step { None, Read, CreateTemp, Write, Flush, Rename, Lock, InPlace };

// Passes every call to the real file system except the one step told to fail.
class FaultyFileIo final : public FileIo {
 public:
  explicit FaultyFileIo(Step fail) : fail_(fail) {}
  int temp_files = 0;
  int in_place_writes = 0;

  PathKind Stat(const fs::path& file) override { return RealFileIo().Stat(file); }
  bool Read(const fs::path& file, std::string& bytes) override {
    return fail_ != Step::Read && RealFileIo().Read(file, bytes);
  }
  std::unique_ptr<TempFile> CreateTemp(const fs::path& target) override {
    if (fail_ == Step::CreateTemp) return nullptr;
    ++temp_files;
    return std::make_unique<Temp>(RealFileIo().CreateTemp(target), fail_);
  }
  bool RewriteInPlace(const fs::path& file, std::string_view bytes) override {
    ++in_place_writes;
    return fail_ != Step::InPlace && RealFileIo().RewriteInPlace(file, bytes);
  }
  std::unique_ptr<FileLock> Lock(const fs::path& lock_file) override {
    return fail_ == Step::Lock ? nullptr : RealFileIo().Lock(lock_file);
  }

 private:
  class Temp final : public TempFile {
   public:
    Temp(std::unique_ptr<TempFile> real, Step fail) : real_(std::move(real)), fail_(fail) {}
    bool Write(std::string_view bytes) override {
      // A disk that fills up half-way: some bytes reach the temporary file.
      if (fail_ == Step::Write) {
        real_->Write(bytes.substr(0, bytes.size() / 2));
        return false;
      }
      return real_->Write(bytes);
    }
    bool Flush() override { return fail_ != Step::Flush && real_->Flush(); }
    // A rename(2) that fails for real: the target's folder does not exist.
    bool RenameOver(const fs::path& target, unsigned mode) override {
      return real_->RenameOver(fail_ == Step::Rename ? target.parent_path() / "gone" / "x.ini" : target, mode);
    }

   private:
    std::unique_ptr<TempFile> real_;
    Step fail_;
  };
  Step fail_;
};

class FaultTest : public IniTest, public ::testing::WithParamInterface<Step> {
 protected:
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

const std::string kOriginal = "; settings\n[s]\nk=1\n[t]\r\nx=2\r\n";

TEST_P(FaultTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  Lay(kOriginal);
  FaultyFileIo io(GetParam());
  ScopedFileIo scope(io);
  EXPECT_FALSE(WriteProfileString("s", "k", "changed", file()));
  EXPECT_FALSE(LastIniError().empty());
  EXPECT_EQ(Bytes(), kOriginal);
  for (const std::string& name : FolderEntries()) EXPECT_TRUE(name == "test.ini" || name == "test.ini.lock") << name;
}

TEST_P(FaultTest, FailedCommitOfATransactionLeavesTheOldFile) {
  Lay(kOriginal);
  FaultyFileIo io(GetParam());
  ScopedFileIo scope(io);
  Transaction tx(file());
  EXPECT_TRUE(WriteProfileString("s", "k", "changed", file()));
  EXPECT_TRUE(WriteProfileSection("t", std::nullopt, file()));
  EXPECT_FALSE(tx.Commit());
  EXPECT_EQ(Bytes(), kOriginal);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FaultTest,
                         ::testing::Values(Step::Write, Step::Flush, Step::Rename),
                         [](const ::testing::TestParamInfo<Step>& info) {
                           switch (info.param) {
                             case Step::Write: return std::string("Write");
                             case Step::Flush: return std::string("Flush");
                             default: return std::string("Rename");
                           }
                         });

using FallbackTest = IniTest;

TEST_F(FallbackTest, FolderWithoutRoomForATemporaryFileGetsAnInPlaceRewrite) {
  Lay(kOriginal);
  FaultyFileIo io(Step::CreateTemp);
  ScopedFileIo scope(io);
  ASSERT_TRUE(WriteProfileString("s", "k", "changed", file()));
  EXPECT_EQ(io.in_place_writes, 1);
  EXPECT_EQ(Bytes(), "; settings\n[s]\nk=changed\n[t]\r\nx=2\r\n");
}

TEST_F(FallbackTest, NoTemporaryFileAndNoFileMeansTheWriteFails) {
  FaultyFileIo io(Step::CreateTemp);
  ScopedFileIo scope(io);
  EXPECT_FALSE(WriteProfileString("s", "k", "v", file()));
  EXPECT_EQ(io.in_place_writes, 0);
  EXPECT_FALSE(Exists());
}

TEST_F(FallbackTest, UnreadableFileIsNeverOverwritten) {
  Lay(kOriginal);
  FaultyFileIo io(Step::Read);
  ScopedFileIo scope(io);
  EXPECT_EQ(ReadValue(file(), "s", "k"), "");
  EXPECT_FALSE(WriteProfileString("s", "new", "v", file()));
  EXPECT_EQ(io.temp_files, 0);
  EXPECT_EQ(Bytes(), kOriginal);
}

TEST_F(FallbackTest, WithoutALockFileTheWriteStillHappens) {
  Lay(kOriginal);
  FaultyFileIo io(Step::Lock);
  ScopedFileIo scope(io);
  ASSERT_TRUE(WriteProfileString("t", "x", "3", file()));
  EXPECT_EQ(Bytes(), "; settings\n[s]\nk=1\n[t]\r\nx=3\r\n");
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
