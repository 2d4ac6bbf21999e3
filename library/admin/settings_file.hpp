#pragma once
// The library settings file Vantrel.ini in the Windows folder: who may use the
// library (the system administrator, domain administrators) and the public
// directories. Its path is worked out anew at every access; nothing is cached,
// so a change made by any process counts at the next check.
//
// Every call joins the transaction open on the file in this thread (see
// SettingsTransaction), or is a transaction of its own.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/ini/ini_transaction.hpp"

namespace vantrel::admin {

inline constexpr char16_t kVantrelSection[] = u"Vantrel";
inline constexpr char16_t kPrivateDirSection[] = u"PrivateDir";
inline constexpr char16_t kPublicDirSection[] = u"PublicDir";

// PathJoin(WindowsFolder(), "Vantrel.ini"), and its native form.
std::u16string SettingsFilePath();
std::filesystem::path SettingsNativePath();

// The value of one key, cut to 254 bytes of its ANSI form; "" when missing.
std::u16string ReadSetting(std::u16string_view section, std::u16string_view key);

// The key names of a section in file order (empty names left out); none for
// an empty or missing section. The list is never cut.
std::vector<std::u16string> GetSettingKeys(std::u16string_view section);

// GetSettingKeys with each key's ReadSetting value, in one pass.
std::vector<std::pair<std::u16string, std::u16string>> GetSettingEntries(std::u16string_view section);

// GetSettingEntries one entry at a time, without building the list.
void VisitSettingEntries(std::u16string_view section,
                         const std::function<void(std::u16string_view key, std::u16string_view value)>& visit);

// VisitSettingEntries without the conversion to UTF-16: each name and value
// as the file's ANSI bytes.
void VisitSettingEntryBytes(std::u16string_view section,
                            const std::function<void(std::string_view name, std::string_view value)>& visit);

// Writes one key, creating the file and section when missing. False when the
// write failed or was refused (a section, key or value that would break the
// file: line breaks or NUL), and nothing is written then.
bool WriteSetting(std::u16string_view section, std::u16string_view key, std::u16string_view value);

// Removes one key (true when it was not there).
bool DeleteSetting(std::u16string_view section, std::u16string_view key);

// Removes a section with all its keys (true when it was not there).
bool DeleteSettingSection(std::u16string_view section);

// Field `index` (0-based) of a split entry; a missing field fails the calling
// operation with automation error 9, as a script's index past the end would.
const std::u16string& FieldAt(const std::vector<std::u16string>& fields, std::size_t index);

// An operation on the settings file as one transaction: locked from the first
// read to Commit(), which writes all its changes at once. A settings file that
// the commit creates is readable by its owner only (POSIX).
class SettingsTransaction {
 public:
  SettingsTransaction();
  bool Commit();

 private:
  storage::ini::Transaction transaction_;
};

}  // namespace vantrel::admin
