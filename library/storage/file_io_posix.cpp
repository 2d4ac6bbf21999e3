// POSIX file access for the INI engine: temporary files with mkstemp, fsync,
// rename(2), in-place rewrites with ftruncate, and flock(2) on the file's folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <utility>

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

class PosixRewriteFile final : public RewriteFile {
 public:
  explicit PosixRewriteFile(int fd) : fd_(fd) {}
  ~PosixRewriteFile() override { ::close(fd_); }
  bool Truncate() override { return ::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0; }
  bool Write(std::string_view bytes) override { return WriteAllTo(fd_, bytes); }
  bool Flush() override { return ::fsync(fd_) == 0; }

 private:
  int fd_;
};

// flock on the folder: one open file description per holding thread, kept
// while any of its transactions (or a commit inside one) lives. A second
// flock from the same thread on another descriptor would wait for itself.
struct FolderLock {
  explicit FolderLock(int descriptor) : fd(descriptor) {}
  ~FolderLock() {
    ::flock(fd, LOCK_UN);
    ::close(fd);
  }
  int fd;
};

class PosixLock final : public FileLock {
 public:
  explicit PosixLock(std::shared_ptr<FolderLock> held) : held_(std::move(held)) {}

 private:
  std::shared_ptr<FolderLock> held_;
};

std::map<std::pair<dev_t, ino_t>, std::weak_ptr<FolderLock>>& FolderLocksOfThisThread() {
  thread_local std::map<std::pair<dev_t, ino_t>, std::weak_ptr<FolderLock>> locks;
  return locks;
}

// ".<name>." and the six characters mkstemp put in place of XXXXXX.
bool IsTempOf(const std::string& entry, const std::string& name) {
  if (entry.size() != name.size() + 8 || entry[0] != '.' || entry.compare(1, name.size(), name) != 0 ||
      entry[name.size() + 1] != '.')
    return false;
  for (std::size_t i = name.size() + 2; i < entry.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  return true;
}

class PosixFileIo final : public FileIo {
 public:
  PathKind Stat(const fs::path& file) override {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
      if (S_ISDIR(st.st_mode)) return PathKind::Folder;
      // No write bit for anyone, or none for this user: replacing it would override the owner's choice.
      const bool readOnly = (st.st_mode & 0222) == 0 || (::access(file.c_str(), W_OK) != 0 && errno == EACCES);
      return readOnly ? PathKind::ReadOnlyFile : PathKind::File;
    }
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

  std::unique_ptr<RewriteFile> OpenForRewrite(const fs::path& file) override {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixRewriteFile>(fd);
  }

  void RemoveStaleTemps(const fs::path& target) override {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
      if (IsTempOf(entry->d_name, name)) ::unlink((folder / entry->d_name).c_str());
    }
    ::closedir(dir);
  }

  std::unique_ptr<FileLock> Lock(const fs::path& file) override {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
      ::close(fd);
      return nullptr;
    }
    auto& held = FolderLocksOfThisThread();
    const auto key = std::make_pair(st.st_dev, st.st_ino);
    if (const auto it = held.find(key); it != held.end()) {
      if (std::shared_ptr<FolderLock> lock = it->second.lock()) {
        ::close(fd);
        return std::make_unique<PosixLock>(std::move(lock));
      }
    }
    while (::flock(fd, LOCK_EX) != 0) {
      if (errno != EINTR) {
        ::close(fd);
        return nullptr;
      }
    }
    auto lock = std::make_shared<FolderLock>(fd);
    held[key] = lock;
    return std::make_unique<PosixLock>(std::move(lock));
  }
};

}  // namespace

std::string SystemErrorText() { return std::strerror(errno); }

FileIo& RealFileIo() {
  static PosixFileIo io;
  return io;
}

}  // namespace vantrel::storage
