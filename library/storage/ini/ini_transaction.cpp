#include "storage/ini/ini_transaction.hpp"

#include <map>
#include <system_error>

#include "storage/ini/ini_profile.hpp"
#include "storage/ini/ini_session.hpp"
#include "storage/recovery_copy.hpp"

namespace vantrel::storage::ini {
namespace {

namespace fs = std::filesystem;

fs::path SessionKey(const fs::path& file) {
  std::error_code ec;
  fs::path absolute = fs::absolute(file, ec);
  if (ec) absolute = file;
  return absolute.lexically_normal();
}

// Transactions open in this thread, by file.
std::map<fs::path, std::weak_ptr<Session>>& OpenSessions() {
  thread_local std::map<fs::path, std::weak_ptr<Session>> sessions;
  return sessions;
}

thread_local std::string t_last_error;

}  // namespace

void SetLastIniError(std::string message) { t_last_error = std::move(message); }

const std::string& LastIniError() { return t_last_error; }

void Session::EnsureLoaded(bool take_lock) {
  if (loaded_) return;
  FileIo& io = CurrentFileIo();
  // The lock of the file a link leads to, which is the one replaced. A file
  // with a recovery file may be rewritten in place: a read takes the lock too,
  // so it never sees the file part way through a rewrite.
  const fs::path target = ResolveLinks(file_);
  if (!lock_ && (take_lock || HasRecoveryFile(target))) lock_ = io.Lock(target);  // null: run unlocked
  if (std::string error; lock_ && !FinishInterruptedRewrite(target, error)) {
    throw FileReadError(error + "; nothing was changed");
  }
  PathKind kind = io.Stat(file_);
  Document doc;
  if (kind == PathKind::Error) {
    throw FileReadError("cannot examine " + file_.string() + " (" + SystemErrorText() + "); nothing was changed");
  }
  if (kind == PathKind::File || kind == PathKind::ReadOnlyFile) {
    std::string bytes;
    // Taking an unreadable file for empty would drop what it holds, or a right it grants.
    if (!io.Read(file_, bytes)) {
      throw FileReadError("cannot read " + file_.string() + " (" + SystemErrorText() + "); nothing was changed");
    }
    doc = Document::Parse(std::move(bytes));
  }
  kind_ = kind;
  doc_ = std::move(doc);
  loaded_ = true;
}

bool Session::Writable(std::string& error) const {
  switch (kind_) {
    case PathKind::File:
    case PathKind::Missing:
      return true;
    case PathKind::Folder:
      error = "the path names a folder: " + file_.string();
      return false;
    case PathKind::MissingFolder:
      error = "the folder does not exist: " + file_.parent_path().string();
      return false;
    case PathKind::ReadOnlyFile:
      error = "the file is read-only: " + file_.string();
      return false;
    case PathKind::Error:
      break;
  }
  error = "the file cannot be examined: " + file_.string();
  return false;
}

void Session::Edit(const std::function<bool(Document&)>& edit) {
  if (edit(doc_)) dirty_ = true;
}

bool Session::Commit(std::string& error) {
  if (!dirty_) return true;
  if (!Writable(error)) return false;
  const auto content = [this](const std::function<void(std::string_view)>& put) { doc_.Serialise(put); };
  if (!ReplaceFileContent(file_, content, error, new_file_mode_)) return false;
  dirty_ = false;
  kind_ = PathKind::File;
  return true;
}

std::shared_ptr<Session> JoinedSession(const fs::path& file) {
  auto& sessions = OpenSessions();
  const auto it = sessions.find(SessionKey(file));
  if (it == sessions.end()) return nullptr;
  return it->second.lock();
}

void ReadDocument(const fs::path& file, const std::function<void(const Document&)>& read) {
  if (const std::shared_ptr<Session> session = JoinedSession(file)) {
    session->EnsureLoaded(true);
    read(session->doc());
    return;
  }
  // A lone read needs no lock (unless a recovery file lies beside the file):
  // writers replace the file in one rename.
  Session session(file);
  session.EnsureLoaded(false);
  read(session.doc());
}

bool EditDocument(const fs::path& file, const std::function<bool(Document&)>& edit) {
  std::string error;
  if (const std::shared_ptr<Session> session = JoinedSession(file)) {
    session->EnsureLoaded(true);
    if (!session->Writable(error)) {
      SetLastIniError(error);
      return false;
    }
    session->Edit(edit);
    SetLastIniError({});
    return true;
  }
  Session session(file);
  session.EnsureLoaded(true);
  if (!session.Writable(error)) {
    SetLastIniError(error);
    return false;
  }
  session.Edit(edit);
  if (!session.Commit(error)) {
    SetLastIniError(error);
    return false;
  }
  SetLastIniError({});
  return true;
}

Transaction::Transaction(const fs::path& file) {
  auto& sessions = OpenSessions();
  const fs::path key = SessionKey(file);
  const auto it = sessions.find(key);
  if (it != sessions.end()) {
    if (std::shared_ptr<Session> outer = it->second.lock()) {
      session_ = std::move(outer);
      joined_ = true;
      return;
    }
  }
  session_ = std::make_shared<Session>(key);
  sessions[key] = session_;
}

Transaction::~Transaction() {
  if (joined_) return;
  auto& sessions = OpenSessions();
  sessions.erase(session_->file());
}

void Transaction::SetNewFileMode(unsigned mode) { session_->SetNewFileMode(mode); }

bool Transaction::Commit() {
  if (joined_) return true;
  std::string error;
  if (!session_->Commit(error)) {
    SetLastIniError(error);
    return false;
  }
  SetLastIniError({});
  return true;
}

}  // namespace vantrel::storage::ini
