#pragma once
// The FTP server's configuration file ServUDaemon.ini as one manager
// operation reaches it: the path join of ServUPath and the file name, a
// checked CIniFile, the operation's transaction, and the reload signal.
//
//   ServerFile ini(ServUPath, ErrorMsg);  // false: ErrorMsg is "ServUPath error"
//   if (!ini) return false;
//   ... ini->ReadString(...), ini->WriteString(...) ...
//   ini.Commit();
#include <string>

#include "automation/variant.hpp"
#include "storage/ini/ini_transaction.hpp"
#include "storage/ini_file.hpp"

namespace vantrel::classes {

inline constexpr char16_t kServUPathError[] = u"ServUPath error";

// PathJoin(servUPath, "ServUDaemon.ini").
automation::String ServerFilePath(const automation::String& servUPath);

// The server file held locked for one operation: its reads see its own
// writes, and Commit() writes them all at once; destroyed without Commit()
// (an error part way), it writes nothing. False (with `errorMsg` set to
// "ServUPath error") when the file fails CheckIniFile; raises the refusal
// (error 5) when its text cannot be taken as lines.
class ServerFile {
 public:
  ServerFile(const automation::String& servUPath, automation::String& errorMsg);
  explicit operator bool() const noexcept { return checked_; }
  storage::CIniFile& operator*() noexcept { return ini_; }
  storage::CIniFile* operator->() noexcept { return &ini_; }
  bool Commit() { return transaction_.Commit(); }

 private:
  storage::ini::Transaction transaction_;
  storage::CIniFile ini_;
  bool checked_ = false;
};

// Writes ReloadSettings=true into GLOBAL, the signal that makes the running
// FTP server read its file again.
bool WriteReloadSignal(storage::CIniFile& ini);

// The Reload operation that Domains and User share: clears errorMsg, writes
// the signal in a transaction of its own; "ServUPath error" or "Reload failed"
// followed by the write's reason ("Reload failed: the file is read-only: ...").
bool ReloadServer(const automation::String& servUPath, automation::String& errorMsg);

}  // namespace vantrel::classes
