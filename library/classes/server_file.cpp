#include "classes/server_file.hpp"

#include "automation/text.hpp"
#include "classes/refusal.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/paths.hpp"

namespace vantrel::classes {

automation::String ServerFilePath(const automation::String& servUPath) {
  return storage::PathJoin(servUPath, u"ServUDaemon.ini");
}

ServerFile::ServerFile(const automation::String& servUPath, automation::String& errorMsg)
    : transaction_(storage::ToNativePath(ServerFilePath(servUPath))) {
  ini_.SetIniFile(ServerFilePath(servUPath));
  ini_.KeepChecks();
  checked_ = ini_.CheckIniFile();
  if (!checked_) errorMsg = kServUPathError;
  // A file whose lines cannot be read is refused for reads and writes alike:
  // a list would come back empty, and what is written would never read back.
  if (const std::string why = checked_ ? storage::ini::TextRefusal(storage::ToNativePath(ServerFilePath(servUPath))) : ""; !why.empty())
    checked_ = !Refuse(errorMsg, u"ServUDaemon.ini: " + automation::FromUtf8(why));
}

bool WriteReloadSignal(storage::CIniFile& ini) { return ini.WriteString(u"GLOBAL", u"ReloadSettings", u"true"); }

bool ReloadServer(const automation::String& servUPath, automation::String& errorMsg) {
  errorMsg.clear();
  ServerFile ini(servUPath, errorMsg);
  if (!ini) return false;
  // The reason the write gave (a read-only file, a folder without room) follows the message.
  std::string why;
  if (!WriteReloadSignal(*ini)) {
    why = ini->ErrorDetail();
  } else if (!ini.Commit()) {
    why = storage::ini::LastIniError();
  } else {
    return true;
  }
  errorMsg = u"Reload failed";
  if (!why.empty()) errorMsg += u": " + automation::FromUtf8(why);
  return false;
}

}  // namespace vantrel::classes
