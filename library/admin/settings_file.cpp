#include "admin/settings_file.hpp"

#include "automation/error.hpp"
#include "storage/codepage.hpp"
#include "storage/file_text.hpp"
#include "storage/ini/ini_access.hpp"
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

std::u16string GetSettingKeys(std::u16string_view section) {
  std::u16string joined;
  for (const std::string& name : ini::ReadKeys(SettingsNativePath(), storage::ToAnsi(section))) {
    // A key line with an empty name ("=x") is no name to list; skipping it,
    // rather than ending the list there, keeps every later name visible.
    if (name.empty()) continue;
    if (!joined.empty()) joined.push_back(u';');
    joined += storage::FromAnsi(name);
  }
  return joined;
}

std::vector<std::u16string> SettingKeyList(std::u16string_view section) {
  const std::u16string joined = GetSettingKeys(section);
  if (joined.empty()) return {};
  return SplitFields(joined, u';');
}

bool WriteSetting(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  std::string s, k, v;
  if (!Encode(section, "section name", s) || !Encode(key, "key name", k) || !Encode(value, "value", v)) return false;
  SettingsTransaction transaction;  // joins the caller's; gives a file it creates the owner-only mode
  return ini::WriteValue(SettingsNativePath(), s, k, v) && transaction.Commit();
}

bool DeleteSetting(std::u16string_view section, std::u16string_view key) {
  return ini::DeleteKey(SettingsNativePath(), storage::ToAnsi(section), storage::ToAnsi(key));
}

bool DeleteSettingSection(std::u16string_view section) {
  return ini::DeleteSection(SettingsNativePath(), storage::ToAnsi(section));
}

std::vector<std::u16string> SplitFields(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    fields.emplace_back(text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start));
    if (end == std::u16string_view::npos) return fields;
    start = end + 1;
  }
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
