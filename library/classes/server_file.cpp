#include "classes/server_file.hpp"

#include "storage/paths.hpp"

namespace vantrel::classes {

automation::String ServerFilePath(const automation::String& servUPath) {
  return storage::PathJoin(servUPath, u"ServUDaemon.ini");
}

std::optional<storage::CIniFile> OpenServerFile(const automation::String& servUPath) {
  storage::CIniFile ini;
  ini.SetIniFile(ServerFilePath(servUPath));
  if (!ini.CheckIniFile()) return std::nullopt;
  return ini;
}

std::optional<storage::CIniFile> OpenServerFile(const automation::String& servUPath, automation::String& errorMsg) {
  auto ini = OpenServerFile(servUPath);
  if (!ini) errorMsg = kServUPathError;
  return ini;
}

ServerFileTransaction::ServerFileTransaction(const automation::String& servUPath)
    : transaction_(storage::ToNativePath(ServerFilePath(servUPath))) {}

bool WriteReloadSignal(storage::CIniFile& ini) { return ini.WriteString(u"GLOBAL", u"ReloadSettings", u"true"); }

bool ReloadServer(const automation::String& servUPath, automation::String& errorMsg) {
  errorMsg.clear();
  ServerFileTransaction tx(servUPath);
  auto ini = OpenServerFile(servUPath, errorMsg);
  if (!ini) return false;
  if (!WriteReloadSignal(*ini) || !tx.Commit()) {
    errorMsg = u"Reload failed";
    return false;
  }
  return true;
}

}  // namespace vantrel::classes
