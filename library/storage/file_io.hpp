#pragma once
// The one seam between the INI engine and the file system.
//
// Every file access of the engine goes through the FileIo in use, so tests can
// install a FileIo that fails (or stops) at any step: stat, lock, read,
// temporary file creation, write, flush, rename, and the in-place rewrite's
// open, truncate, write and flush. RealFileIo() is the platform
// implementation; ScopedFileIo swaps in another for a test's span.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantrel::storage {

// What a path names.
enum class PathKind {
  Missing,        // nothing there, parent folder exists
  MissingFolder,  // the parent folder does not exist
  File,
  ReadOnlyFile,   // a file nobody may write (POSIX: no write bit; Windows: the read-only attribute)
  Folder,
  Error           // it cannot be examined (permissions, I/O error)
};

// A read that failed (I/O error, no permission): the operation stops, writes
// nothing, and reports this instead of taking the file for empty or absent.
class FileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
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

// An existing file opened for writing in place (it is neither created nor replaced).
class RewriteFile {
 public:
  virtual ~RewriteFile() = default;
  virtual bool Truncate() = 0;  // to 0 bytes, writing from the start again
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Flush() = 0;  // all data on stable storage
};

class FileIo {
 public:
  virtual ~FileIo() = default;
  virtual PathKind Stat(const std::filesystem::path& file) = 0;
  // Whole file into `bytes`; false when it cannot be read (SystemErrorText() says why).
  virtual bool Read(const std::filesystem::path& file, std::string& bytes) = 0;
  // A new temporary file in the folder of `target`; null when the folder allows none.
  virtual std::unique_ptr<TempFile> CreateTemp(const std::filesystem::path& target) = 0;
  // `file` opened for writing in place; null when it is missing or not writable.
  virtual std::unique_ptr<RewriteFile> OpenForRewrite(const std::filesystem::path& file) = 0;
  // Removes the temporary files of `target` that a killed writer left. Only
  // under Lock(target): no live writer of the file has one then.
  virtual void RemoveStaleTemps(const std::filesystem::path& target) = 0;
  // Exclusive lock for changing `file`; waits for other holders. Creates no
  // file: POSIX locks the file's folder (flock on the folder; a thread that
  // already holds it gets it again), Windows a named mutex keyed by the path.
  // Null when no lock can be had (the transaction then runs unlocked).
  virtual std::unique_ptr<FileLock> Lock(const std::filesystem::path& file) = 0;
};

// The platform implementation.
FileIo& RealFileIo();

// The system's words for the last failed call of this thread (errno, GetLastError).
std::string SystemErrorText();

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

// The file a path names once symbolic links are followed: a write goes there,
// and the link stays.
std::filesystem::path ResolveLinks(const std::filesystem::path& file);

// Writes `bytes` as the new content of `file` atomically, under Lock(file):
// stale temporary files removed, a temporary file in the same folder written,
// flushed, then renamed over the old one. A symbolic link is followed (its
// target is replaced in the target's folder). Where the folder allows no
// temporary file, an existing file is rewritten in place through the writable
// recovery file beside it (recovery_copy.hpp), if there is one. Refused, with
// the old file untouched (byte-identical) and `error` saying why: a read-only
// file, a folder that allows no temporary file and no recovery file, a failed
// write, flush or rename. A file that did not exist gets `new_file_mode` less
// the umask (POSIX).
constexpr unsigned kDefaultNewFileMode = 0666;
bool ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes, std::string& error,
                        unsigned new_file_mode = kDefaultNewFileMode);

// The same with the content handed over in pieces, in order, by `content`
// calling `put`: a big file is written without a copy of it in memory.
using ContentPieces = std::function<void(const std::function<void(std::string_view)>& put)>;
bool ReplaceFileContent(const std::filesystem::path& file, const ContentPieces& content, std::string& error,
                        unsigned new_file_mode = kDefaultNewFileMode);

#ifdef _WIN32
// Where an existing file or folder really lies (links, junctions, short names
// and letter case resolved; without the "\\?\" prefix); empty when it cannot
// be opened.
std::wstring FinalPathName(const std::filesystem::path& path);
#endif

}  // namespace vantrel::storage
