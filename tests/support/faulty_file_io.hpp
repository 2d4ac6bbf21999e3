#pragma once
// A file system seam for fault tests: every call passes to the real file
// system, and the fail_at-th call fails (errno set, a write cut half-way)
// or, with `kill`, stops the writer there by throwing Killed.
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "storage/file_io.hpp"

namespace vantrel::storage::testing {

struct Killed {};

class FaultyFileIo final : public FileIo {
 public:
  int fail_at = 0, calls = 0;
  bool kill = false, no_new_files = false;  // the folder takes no new file
  std::string failed;  // the step that failed

  bool Fault(const char* step, int error) {
    if (++calls != fail_at) return false;
    failed = step;
    if (kill) throw Killed{};
    errno = error;
    return true;
  }
  PathKind Stat(const std::filesystem::path& f) override {
    return Fault("Stat", EIO) ? PathKind::Error : RealFileIo().Stat(f);
  }
  bool Read(const std::filesystem::path& f, std::string& b) override {
    return !Fault("Read", EIO) && RealFileIo().Read(f, b);
  }
  std::unique_ptr<TempFile> CreateTemp(const std::filesystem::path& t) override {
    if (no_new_files) {
      errno = EACCES;
      return nullptr;
    }
    return Fault("CreateTemp", ENOSPC) ? nullptr : std::make_unique<Temp>(RealFileIo().CreateTemp(t), *this);
  }
  std::unique_ptr<RewriteFile> OpenForRewrite(const std::filesystem::path& f) override {
    if (Fault("Open", EACCES)) return nullptr;
    auto real = RealFileIo().OpenForRewrite(f);
    return real ? std::make_unique<Rewrite>(std::move(real), *this) : nullptr;
  }
  void RemoveStaleTemps(const std::filesystem::path& t) override {
    if (!Fault("RemoveStaleTemps", EIO)) RealFileIo().RemoveStaleTemps(t);
  }
  std::unique_ptr<FileLock> Lock(const std::filesystem::path& f) override {
    return Fault("Lock", ENOLCK) ? nullptr : RealFileIo().Lock(f);
  }

 private:
  class Temp final : public TempFile {
   public:
    Temp(std::unique_ptr<TempFile> real, FaultyFileIo& io) : real_(std::move(real)), io_(io) {}
    bool Write(std::string_view bytes) override {
      if (!io_.Fault("Write", ENOSPC)) return real_->Write(bytes);
      real_->Write(bytes.substr(0, bytes.size() / 2));  // the disk filled up half-way
      return false;
    }
    bool Flush() override { return !io_.Fault("Flush", EIO) && real_->Flush(); }
    // A failed rename goes through the real one, into a folder that does not
    // exist, so the file system's own error is what the writer has to report.
    bool RenameOver(const std::filesystem::path& t, unsigned mode) override {
      if (io_.Fault("Rename", EIO)) return real_->RenameOver(t.parent_path() / "no-such-folder" / t.filename(), mode);
      return real_->RenameOver(t, mode);
    }

   private:
    std::unique_ptr<TempFile> real_;
    FaultyFileIo& io_;
  };
  class Rewrite final : public RewriteFile {
   public:
    Rewrite(std::unique_ptr<RewriteFile> real, FaultyFileIo& io) : real_(std::move(real)), io_(io) {}
    bool Truncate() override { return !io_.Fault("Truncate", EIO) && real_->Truncate(); }
    bool Write(std::string_view bytes) override {
      if (!io_.Fault("RewriteWrite", ENOSPC)) return real_->Write(bytes);
      real_->Write(bytes.substr(0, bytes.size() / 2));
      return false;
    }
    bool Flush() override { return !io_.Fault("RewriteFlush", EIO) && real_->Flush(); }

   private:
    std::unique_ptr<RewriteFile> real_;
    FaultyFileIo& io_;
  };
};

}  // namespace vantrel::storage::testing
