#pragma once
// Internal: the state of one file during a transaction, and the helpers that
// run a profile call inside the open transaction or as a transaction of its own.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "storage/file_io.hpp"
#include "storage/ini/ini_document.hpp"

namespace vantrel::storage::ini {

class Session {
 public:
  explicit Session(std::filesystem::path file) : file_(std::move(file)) {}

  // Reads and parses the file on first use, taking the lock first when asked.
  void EnsureLoaded(bool take_lock);
  const Document& doc() const { return doc_; }
  // Whether writes may go to this path; `error` says why not.
  bool Writable(std::string& error) const;
  // Applies an edit (which returns whether it changed the document).
  void Edit(const std::function<bool(Document&)>& edit);
  bool Commit(std::string& error);
  void SetNewFileMode(unsigned mode) { new_file_mode_ = mode; }
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
  std::unique_ptr<FileLock> lock_;
  bool loaded_ = false;
  PathKind kind_ = PathKind::Missing;
  Document doc_;
  bool dirty_ = false;
  unsigned new_file_mode_ = kDefaultNewFileMode;
};

// The session of the transaction open on `file` in this thread, or null.
std::shared_ptr<Session> JoinedSession(const std::filesystem::path& file);

// Runs a read against the file's current content (inside the open transaction if any).
void ReadDocument(const std::filesystem::path& file, const std::function<void(const Document&)>& read);

// Runs an edit (returning whether it changed the document); commits it at once
// unless a transaction is open. False (with LastIniError set) when the path
// cannot be written or the commit failed.
bool EditDocument(const std::filesystem::path& file, const std::function<bool(Document&)>& edit);

void SetLastIniError(std::string message);

}  // namespace vantrel::storage::ini
