#include "storage/ini/ini_transaction.hpp"

#include <system_error>
#include <utility>

#include "storage/ini/ini_profile.hpp"
#include "storage/ini/ini_session.hpp"
#include "storage/ini/thread_state.hpp"
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

}  // namespace

void SetLastIniError(std::string message) { ThisThread().lastError = std::move(message); }

const std::string& LastIniError() { return ThisThread().lastError; }

void Session::EnsureLoaded(bool take_lock) {
  if (loaded_) return;
  const bool dry_run = DryRun::Active() != nullptr;
  if (dry_run) {
    if (const std::string* text = DryRun::Active()->Written(file_)) {
      kind_ = PathKind::File;
      doc_ = Document::Parse(std::string(*text));
      loaded_ = true;
      return;
    }
  }
  FileIo& io = CurrentFileIo();
  // The lock of the file a link leads to, which is the one replaced. A file
  // with a recovery file may be rewritten in place: a read takes the lock too,
  // so it never sees the file part way through a rewrite. A dry run writes
  // nothing, not even the finish of an interrupted rewrite, and needs no lock.
  const fs::path target = ResolveLinks(file_);
  if (!lock_ && !dry_run && (take_lock || HasRecoveryFile(target))) lock_ = io.Lock(target);  // null: run unlocked
  if (std::string error; lock_ && !FinishInterruptedRewrite(target, error)) {
    throw FileReadError(error + "; nothing was changed");
  }
  PathKind kind = io.Stat(file_);
  if (kind == PathKind::MissingFolder && DryRun::Active() && DryRun::Active()->FolderCreated(file_.parent_path()))
    kind = PathKind::Missing;  // the dry run has "created" the folder
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
  if (error = doc_.TextRefusal(); !error.empty()) return false;
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
  if (error = doc_.WriteRefusal(); !error.empty()) return false;
  const auto content = [this](const std::function<void(std::string_view)>& put) { doc_.Serialise(put); };
  if (DryRun* dry = DryRun::Active()) {
    std::string text;
    content([&text](std::string_view piece) { text += piece; });
    dry->Write(file_, std::move(text));
  } else if (!ReplaceFileContent(file_, content, error, new_file_mode_)) {
    return false;
  }
  dirty_ = false;
  kind_ = PathKind::File;
  return true;
}

std::shared_ptr<Session> JoinedSession(const fs::path& file) {
  // A transaction's many calls name its file the same way: the last absolute
  // path found is remembered, sparing the path's normalisation each call. The
  // session it points to lives as long as its transaction, and any other
  // transaction on that file in this thread joins it, so a live one is current.
  ThreadState& state = ThisThread();
  if (file.is_absolute() && file.native() == state.lastPath.native()) {
    if (std::shared_ptr<Session> session = state.lastSession.lock()) return session;
  }
  const auto it = state.sessions.find(SessionKey(file));
  if (it == state.sessions.end()) return nullptr;
  std::shared_ptr<Session> session = it->second.lock();
  if (session && file.is_absolute()) {
    state.lastPath = file;
    state.lastSession = session;
  }
  return session;
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
  auto& sessions = ThisThread().sessions;
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
  ThisThread().sessions.erase(session_->file());
}

DryRun::DryRun(FileSink file_sink, FolderSink folder_sink)
    : file_sink_(std::move(file_sink)),
      folder_sink_(std::move(folder_sink)),
      outer_(std::exchange(ThisThread().dryRun, this)) {}

DryRun::~DryRun() { ThisThread().dryRun = outer_; }

DryRun* DryRun::Active() { return ThisThread().dryRun; }

const std::string* DryRun::Written(const fs::path& file) const {
  const auto it = written_.find(SessionKey(file));
  return it == written_.end() ? nullptr : &it->second;
}

void DryRun::CreateFolder(const fs::path& folder) {
  if (folders_.insert(SessionKey(folder)).second) folder_sink_(folder);
}

bool DryRun::FolderCreated(const fs::path& folder) const { return folders_.count(SessionKey(folder)) != 0; }

void DryRun::Write(const fs::path& file, std::string text) {
  const fs::path key = SessionKey(file);
  file_sink_(key, text);
  written_[key] = std::move(text);
}

bool WriteWholeFile(const fs::path& file, const std::string& text, unsigned new_file_mode) {
  if (DryRun* dry = DryRun::Active()) {
    dry->Write(file, text);
    return true;
  }
  std::string error;
  return ReplaceFileContent(file, text, error, new_file_mode);
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
