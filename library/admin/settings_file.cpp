#include "admin/settings_file.hpp"

#include "automation/error.hpp"
#include "storage/codepage.hpp"
#include "storage/file_text.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini_file.hpp"
#include "storage/paths.hpp"

namespace vantrel::admin {
namespace {

namespace ini = storage::ini;

// Names and values that cannot be stored as given are refused before any write.
bool Encode(std::u16string_view text, std::string_view what, std::string& out) {
  std::string why;
  return storage::ToFileText(text, what, out, why);
}

}  // namespace

std::u16string SettingsFilePath() { return storage::PathJoin(storage::WindowsFolder(), u"Vantrel.ini"); }

std::filesystem::path SettingsNativePath() { return storage::ToNativePath(SettingsFilePath()); }

std::u16string ReadSetting(std::u16string_view section, std::u16string_view key) {
  return storage::FromAnsi(
      ini::ReadValue(SettingsNativePath(), storage::ToAnsi(section), storage::ToAnsi(key), 255));
}

std::vector<std::u16string> GetSettingKeys(std::u16string_view section) {
  return storage::NamesOf(ini::ReadKeys(SettingsNativePath(), storage::ToAnsi(section)));
}

std::vector<std::pair<std::u16string, std::u16string>> GetSettingEntries(std::u16string_view section) {
  std::vector<std::pair<std::u16string, std::u16string>> entries;
  const std::vector<ini::KeyValue> read = ini::ReadKeyValues(SettingsNativePath(), storage::ToAnsi(section), 255);
  entries.reserve(read.size());
  for (const ini::KeyValue& entry : read) {
    if (!entry.name.empty()) entries.emplace_back(storage::FromAnsi(entry.name), storage::FromAnsi(entry.value));
  }
  return entries;
}

void VisitSettingEntries(std::u16string_view section,
                         const std::function<void(std::u16string_view key, std::u16string_view value)>& visit) {
  VisitSettingEntryBytes(section, [&visit](std::string_view name, std::string_view value) {
    visit(storage::FromAnsi(name), storage::FromAnsi(value));
  });
}

void VisitSettingEntryBytes(std::u16string_view section,
                            const std::function<void(std::string_view name, std::string_view value)>& visit) {
  ini::VisitKeyValues(SettingsNativePath(), storage::ToAnsi(section), 255,
                      [&visit](std::string_view name, std::string_view value) {
                        if (!name.empty()) visit(name, value);
                      });
}

bool WriteSetting(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  std::string s, k, v;
  if (!Encode(section, "section name", s) || !Encode(key, "key name", k) || !Encode(value, "value", v)) return false;
  SettingsTransaction transaction;  // joins the caller's; gives a file it creates the owner-only mode
  return ini::WriteProfileString(s, k, v, SettingsNativePath()) && transaction.Commit();
}

bool DeleteSetting(std::u16string_view section, std::u16string_view key) {
  return ini::WriteProfileString(storage::ToAnsi(section), storage::ToAnsi(key), std::nullopt, SettingsNativePath());
}

bool DeleteSettingSection(std::u16string_view section) {
  return ini::WriteProfileSection(storage::ToAnsi(section), std::nullopt, SettingsNativePath());
}

const std::u16string& FieldAt(const std::vector<std::u16string>& fields, std::size_t index) {
  if (index >= fields.size()) throw automation::AutomationError(automation::kSubscriptOutOfRange);
  return fields[index];
}

SettingsTransaction::SettingsTransaction() : transaction_(SettingsNativePath()) {
  transaction_.SetNewFileMode(0600);  // the file holds credentials
}

bool SettingsTransaction::Commit() { return transaction_.Commit(); }

}  // namespace vantrel::admin
