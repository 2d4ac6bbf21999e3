#include "admin/rights.hpp"

#include <string>
#include <vector>

#include "admin/dir_prefix.hpp"
#include "admin/settings_file.hpp"
#include "storage/case_fold.hpp"
#include "storage/fields.hpp"
#include "storage/password.hpp"

namespace vantrel::admin {
namespace {

std::u16string DecimalText(std::int16_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

// Steps shared by the domain right check and the role: the entry of that name
// exists, holds exactly this domain's number and the password.
bool IsDomainAdmin(std::u16string_view adminName, std::u16string_view adminPassword, std::int16_t domainID) {
  const std::u16string entry = ReadSetting(kPrivateDirSection, adminName);
  if (entry.empty()) return false;
  const std::vector<std::u16string> fields = storage::SplitFields(entry);
  if (FieldAt(fields, 1) != DecimalText(domainID)) return false;
  return storage::EqualsIgnoreCase(fields[0], adminPassword);
}

bool HasDriveRoot(std::u16string_view normalPath) {
  return normalPath.size() >= 3 && normalPath[1] == u':' && normalPath[2] == u'\\';
}

}  // namespace

// Each check reads the settings file inside one transaction, so it parses the
// file once and sees one state of it (or joins the caller's transaction).

bool CheckSystemAdmin(std::u16string_view name, std::u16string_view password) {
  SettingsTransaction transaction;
  const std::u16string storedName = ReadSetting(kVantrelSection, u"Administrator");
  if (!storage::EqualsIgnoreCase(storedName, name)) return false;
  return storage::CheckSaltedPassword(ReadSetting(kVantrelSection, u"Password"), password);
}

bool CheckDomainRight(std::u16string_view adminName, std::u16string_view adminPassword, std::int16_t domainID) {
  SettingsTransaction transaction;
  if (CheckSystemAdmin(adminName, adminPassword)) return true;
  if (adminPassword.empty()) return false;
  return IsDomainAdmin(adminName, adminPassword, domainID);
}

Role CallerRole(std::u16string_view adminName, std::u16string_view adminPassword, std::int16_t domainID) {
  SettingsTransaction transaction;
  if (CheckSystemAdmin(adminName, adminPassword)) return Role::SystemAdmin;
  return IsDomainAdmin(adminName, adminPassword, domainID) ? Role::DomainAdmin : Role::None;
}

bool CheckDirRight(std::u16string_view adminName, std::u16string_view adminPassword, std::u16string_view path) {
  SettingsTransaction transaction;
  const bool isSystem = CheckSystemAdmin(adminName, adminPassword);
  if (isSystem && HasDriveRoot(NormaliseFolderPath(path))) return true;

  for (const auto& [key, folder] : GetSettingEntries(kPublicDirSection)) {
    if (IsReallyWithinFolder(path, folder)) return true;
  }
  const std::u16string entry = ReadSetting(kPrivateDirSection, adminName);
  if (!entry.empty() && IsReallyWithinFolder(path, FieldAt(storage::SplitFields(entry), 2))) return true;
  return false;
}

}  // namespace vantrel::admin
