#pragma once
// The one seam between the INI engine and the file system.
//
// Every file access of the engine goes through the FileIo in use, so tests can
// install a FileIo that fails (or stops) at any step: open, read, temporary
// file creation, write, flush, rename, lock, stat. RealFileIo() is the
// platform implementation; ScopedFileIo swaps in another for a test's span.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vantrel::storage {

// What a path names.
enum class PathKind {
  Missing,        // nothing there, parent folder exists
  MissingFolder,  // the parent folder does not exist
  File,
  Folder,
  Error           // it cannot be examined (permissions, I/O error)
};

// An exclusive lock held while the object lives.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

// A file written under a temporary name and then moved over its target.
class TempFile {
 public:
  virtual ~TempFile() = default;  // removes the file unless it was renamed
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Flush() = 0;  // all data on stable storage
  // Replaces `target` by this file (atomic), keeping the target's owner,
  // group and mode (POSIX) or its ACLs and attributes (Windows). A target
  // that does not exist yet gets `new_file_mode` less the umask (POSIX).
  virtual bool RenameOver(const std::filesystem::path& target, unsigned new_file_mode) = 0;
};

class FileIo {
 public:
  virtual ~FileIo() = default;
  virtual PathKind Stat(const std::filesystem::path& file) = 0;
  // Whole file into `bytes`; false when it cannot be read.
  virtual bool Read(const std::filesystem::path& file, std::string& bytes) = 0;
  // A new temporary file in the folder of `target`; null when the folder allows none.
  virtual std::unique_ptr<TempFile> CreateTemp(const std::filesystem::path& target) = 0;
  // Rewrites an existing file in place (truncate, write, flush): the fallback
  // when the folder refuses temporary files but the file itself is writable.
  virtual bool RewriteInPlace(const std::filesystem::path& file, std::string_view bytes) = 0;
  // Exclusive lock on the sidecar `lock_file`, created when missing; waits for
  // other holders. Null when the lock file cannot be created or locked.
  virtual std::unique_ptr<FileLock> Lock(const std::filesystem::path& lock_file) = 0;
};

// The platform implementation.
FileIo& RealFileIo();

// The FileIo the engine uses now (RealFileIo() unless a test replaced it).
FileIo& CurrentFileIo();

// Installs `io` as the current FileIo for the life of this object.
class ScopedFileIo {
 public:
  explicit ScopedFileIo(FileIo& io);
  ~ScopedFileIo();
  ScopedFileIo(const ScopedFileIo&) = delete;
  ScopedFileIo& operator=(const ScopedFileIo&) = delete;

 private:
  FileIo* previous_;
};

// Writes `bytes` as the new content of `file` atomically: a temporary file in
// the same folder, flushed, then renamed over the old one. When the folder
// allows no temporary file but `file` exists and is writable, rewrites it in
// place. On failure the old file is untouched (byte-identical) and `error`
// says what failed. A file that did not exist gets `new_file_mode` less the umask (POSIX).
// With InPlace::Refused the content is replaced atomically or not at all.
constexpr unsigned kDefaultNewFileMode = 0666;
enum class InPlace { Allowed, Refused };
bool ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes, std::string& error,
                        unsigned new_file_mode = kDefaultNewFileMode, InPlace in_place = InPlace::Allowed);

// The same with the content handed over in pieces, in order, by `content`
// calling `put`: a big file is written without a copy of it in memory.
using ContentPieces = std::function<void(const std::function<void(std::string_view)>& put)>;
bool ReplaceFileContent(const std::filesystem::path& file, const ContentPieces& content, std::string& error,
                        unsigned new_file_mode = kDefaultNewFileMode, InPlace in_place = InPlace::Allowed);

}  // namespace vantrel::storage
