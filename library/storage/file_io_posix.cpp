// POSIX file access for the INI engine: temporary files with mkstemp, fsync,
// rename(2), and flock(2) on a sidecar lock file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "storage/file_io.hpp"

namespace vantrel::storage {
namespace {

namespace fs = std::filesystem;

bool WriteAllTo(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

class PosixTempFile final : public TempFile {
 public:
  PosixTempFile(int fd, fs::path path) : fd_(fd), path_(std::move(path)) {}
  ~PosixTempFile() override {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
  }
  bool Write(std::string_view bytes) override { return WriteAllTo(fd_, bytes); }
  bool Flush() override { return ::fsync(fd_) == 0; }
  bool RenameOver(const fs::path& target, unsigned new_file_mode) override {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
      // Keep the replaced file's owner, group and mode.
      if (::fchown(fd_, st.st_uid, st.st_gid) != 0 && ::geteuid() == 0) return false;
      if (::fchmod(fd_, st.st_mode & 07777) != 0) return false;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      if (::fchmod(fd_, static_cast<mode_t>(new_file_mode) & 07777 & ~mask) != 0) return false;
    }
    if (::close(fd_) != 0) {
      fd_ = -1;
      return false;
    }
    fd_ = -1;
    if (::rename(path_.c_str(), target.c_str()) != 0) return false;
    renamed_ = true;
    SyncFolder(target.parent_path());
    return true;
  }

 private:
  int fd_;
  fs::path path_;
  bool renamed_ = false;
};

class PosixLock final : public FileLock {
 public:
  explicit PosixLock(int fd) : fd_(fd) {}
  ~PosixLock() override {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
  }

 private:
  int fd_;
};

class PosixFileIo final : public FileIo {
 public:
  PathKind Stat(const fs::path& file) override {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
    if (errno == ENOENT) {
      const fs::path parent = file.parent_path();
      if (parent.empty()) return PathKind::Missing;
      struct stat pst {};
      if (::stat(parent.c_str(), &pst) == 0 && S_ISDIR(pst.st_mode)) return PathKind::Missing;
      return PathKind::MissingFolder;
    }
    if (errno == ENOTDIR) return PathKind::MissingFolder;
    return PathKind::Error;
  }

  bool Read(const fs::path& file, std::string& bytes) override {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // Read straight into a buffer of the file's size; a file that grows
    // meanwhile is read on to its end.
    struct stat st {};
    const std::size_t expected = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    bytes.resize(expected + 1);
    std::size_t done = 0;
    for (;;) {
      if (done == bytes.size()) bytes.resize(bytes.size() * 2);
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        ::close(fd);
        return false;
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    ::close(fd);
    return true;
  }

  std::unique_ptr<TempFile> CreateTemp(const fs::path& target) override {
    const fs::path folder = target.parent_path();
    std::string name = ".";  // appended: GCC 12 warns falsely (-Wrestrict) on chained operator+
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixTempFile>(fd, fs::path(pattern));
  }

  bool RewriteInPlace(const fs::path& file, std::string_view bytes) override {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // Not atomic: used only when the folder refuses temporary files.
    bool ok = ::ftruncate(fd, 0) == 0 && WriteAllTo(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
  }

  std::unique_ptr<FileLock> Lock(const fs::path& lock_file) override {
    const int fd = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    while (::flock(fd, LOCK_EX) != 0) {
      if (errno != EINTR) {
        ::close(fd);
        return nullptr;
      }
    }
    return std::make_unique<PosixLock>(fd);
  }
};

}  // namespace

FileIo& RealFileIo() {
  static PosixFileIo io;
  return io;
}

}  // namespace vantrel::storage
