#pragma once
// Transactions on INI files.
//
// An operation that reads and writes a file opens a Transaction on it:
//
//   ini::Transaction tx(path);            // lock taken at the first access
//   auto keys = ini::ReadKeys(path, "X");  // every ini call on `path` in this
//   ini::WriteProfileString("X", "k", "v", path);  // thread joins tx: it sees its own
//   ini::WriteProfileString("Y", "k", std::nullopt, path);  // edits, writes nothing yet
//   if (!tx.Commit()) { ... }             // one atomic replacement, if changed
//
// - While a Transaction is open, every profile call on the same file from the
//   same thread (ini_profile.hpp, ini_access.hpp, and so anything built on
//   them, such as CIniFile) joins it. Calls with no open Transaction are
//   transactions of one call.
// - The file is locked exclusively from the first access to the end of the
//   Transaction, with no file of its own (FileIo::Lock: flock on the folder
//   on POSIX, a named mutex on Windows), so other processes and threads that
//   use transactions wait and never lose each other's changes. When no lock
//   can be had, the transaction runs unlocked. A read creates no file.
// - A file that cannot be read (I/O error, no permission) throws
//   FileReadError at its first access: it is never taken for empty.
// - Commit() writes the file once, atomically, only when something changed,
//   and returns false (with LastIniError() set) when the write failed or was
//   refused (a read-only file, a folder that allows no temporary file); the
//   old file is then untouched. A symbolic link's target is written. A
//   Transaction destroyed without Commit() writes nothing.
// - A Transaction opened while another is open on the same file in the same
//   thread joins it: its Commit() writes nothing and returns true; only the
//   outermost one commits. Files are told apart by their absolute, lexically
//   normal path.
// - Not shared between threads: use a Transaction on the thread that made it.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace vantrel::storage::ini {

class Session;

class Transaction {
 public:
  explicit Transaction(const std::filesystem::path& file);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Writes the changes (outermost scope only). True when nothing needed writing.
  bool Commit();

  // POSIX: the permission bits a file that Commit() creates gets, less the
  // umask (default 0666; 0600 for a file holding credentials). Applies to the
  // outermost scope's commit; an existing file keeps its own mode.
  void SetNewFileMode(unsigned mode);

  // Whether this scope joined an outer one on the same file.
  bool Joined() const { return joined_; }

 private:
  std::shared_ptr<Session> session_;
  bool joined_ = false;
};

// A dry run: while one lives, commits in this thread take no lock and write
// nothing; each hands the file's new text to `file_sink`, and later reads of
// that file in this thread see that text. Folders that would be created go to
// `folder_sink` (CreateFolderPath). Other whole-file writes of the library go
// through WriteWholeFile, so they are caught too.
class DryRun {
 public:
  using FileSink = std::function<void(const std::filesystem::path& file, const std::string& text)>;
  using FolderSink = std::function<void(const std::filesystem::path& folder)>;
  DryRun(FileSink file_sink, FolderSink folder_sink);
  ~DryRun();
  DryRun(const DryRun&) = delete;
  DryRun& operator=(const DryRun&) = delete;

  // The dry run open in this thread, or null.
  static DryRun* Active();
  // The text a commit of this run handed over for `file`, or null.
  const std::string* Written(const std::filesystem::path& file) const;
  void Write(const std::filesystem::path& file, std::string text);
  void CreateFolder(const std::filesystem::path& folder);
  bool FolderCreated(const std::filesystem::path& folder) const;

 private:
  FileSink file_sink_;
  FolderSink folder_sink_;
  std::map<std::filesystem::path, std::string> written_;
  std::set<std::filesystem::path> folders_;
  DryRun* outer_;
};

// Writes a whole (non-INI) file atomically, or hands it to the open dry run.
bool WriteWholeFile(const std::filesystem::path& file, const std::string& text, unsigned new_file_mode);

}  // namespace vantrel::storage::ini
