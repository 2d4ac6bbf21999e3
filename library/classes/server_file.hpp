#pragma once
// The FTP server's configuration file ServUDaemon.ini as the manager
// operations reach it: the path join of ServUPath and the file name, a
// checked CIniFile, one transaction per operation, and the reload signal.
//
//   ServerFileTransaction tx(ServUPath);     // everything below is one transaction
//   auto ini = OpenServerFile(ServUPath);    // nullopt: "ServUPath error"
//   if (!ini) return Fail(kServUPathError);
//   ... ini->ReadString(...), ini->WriteString(...) ...
//   tx.Commit();
#include <optional>

#include "automation/variant.hpp"
#include "storage/ini/ini_transaction.hpp"
#include "storage/ini_file.hpp"

namespace vantrel::classes {

inline constexpr char16_t kServUPathError[] = u"ServUPath error";

// PathJoin(servUPath, "ServUDaemon.ini").
automation::String ServerFilePath(const automation::String& servUPath);

// A CIniFile on the server file that passed CheckIniFile, or nullopt.
std::optional<storage::CIniFile> OpenServerFile(const automation::String& servUPath);

// The same, setting the operation's errorMsg to "ServUPath error" on failure.
std::optional<storage::CIniFile> OpenServerFile(const automation::String& servUPath, automation::String& errorMsg);

// Holds the server file locked for one operation; its reads see its own
// writes, and Commit() writes them all at once. Destroyed without Commit()
// (an error part way), it writes nothing.
class ServerFileTransaction {
 public:
  explicit ServerFileTransaction(const automation::String& servUPath);
  bool Commit() { return transaction_.Commit(); }

 private:
  storage::ini::Transaction transaction_;
};

// Writes ReloadSettings=true into GLOBAL, the signal that makes the running
// FTP server read its file again.
bool WriteReloadSignal(storage::CIniFile& ini);

// The Reload operation that Domains and User share: clears errorMsg, writes
// the signal in a transaction of its own; "ServUPath error" or "Reload failed".
bool ReloadServer(const automation::String& servUPath, automation::String& errorMsg);

}  // namespace vantrel::classes
