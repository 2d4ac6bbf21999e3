// AdminOfAdmin operations: the domain administrators (section PrivateDir),
// the public directories (section PublicDir) and the system administrator's
// name and password (section Vantrel) of the settings file.
//
// Each operation runs as one settings-file transaction: its rights check, its
// reads and its writes see one state of the file, and its writes reach the
// file together at Commit() or not at all.
#include "classes/admin_of_admin.hpp"

#include <algorithm>
#include <string>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "classes/refusal.hpp"
#include "storage/case_fold.hpp"
#include "storage/fields.hpp"
#include "storage/file_text.hpp"
#include "storage/password.hpp"

namespace vantrel::classes {
namespace {

constexpr char16_t kNoRight[] = u"You have no right!";
constexpr char16_t kAdminExists[] = u"The AdminName exists already";
constexpr char16_t kAdminMissing[] = u"The AdminName does not exist";
constexpr char16_t kDirExists[] = u"The directory exists already";
constexpr char16_t kDirMissing[] = u"The directory does not exist";
constexpr char16_t kDirEmpty[] = u"The directory is empty";
constexpr char16_t kNotWritten[] = u"The settings file could not be written";

std::u16string Decimal(std::int32_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

// Why `value` cannot be the whole value of a settings key (empty when it can).
std::u16string RefusalOfSetting(const std::u16string& value, std::u16string_view what) {
  std::u16string reason = storage::RefusalOfValue(value, what);
  return reason.empty() ? storage::RefusalOfLength(value, what) : reason;
}

// The key for a new public directory: "dir" + (count + 1), or the first
// higher number whose key is not taken (a section edited by hand may have
// gaps), so a new entry never replaces another.
std::u16string FreeDirKey(std::int32_t count) {
  const std::vector<std::u16string> taken = admin::GetSettingKeys(admin::kPublicDirSection);
  for (std::int32_t n = count + 1;; ++n) {
    std::u16string key = u"dir" + Decimal(n);
    bool used = false;
    for (const std::u16string& name : taken) used = used || storage::EqualsIgnoreCase(name, key);
    if (!used) return key;
  }
}

// Field `index` (0-based) of a "|"-joined entry, as admin::FieldAt gives it
// from the split entry (error 9 past the last field), without splitting the
// whole entry: a list of many administrators makes no vector per entry.
std::u16string_view EntryField(std::u16string_view entry, std::size_t index) {
  std::size_t start = 0;
  for (; index > 0; --index) {
    const std::size_t bar = entry.find(u'|', start);
    if (bar == std::u16string_view::npos) throw automation::AutomationError(automation::kSubscriptOutOfRange);
    start = bar + 1;
  }
  return entry.substr(start, entry.find(u'|', start) - start);
}

// A domain field as the standard automation conversion gives it; one of up
// to four digits (every entry the library writes) is its own value, without
// the conversion's copy of the text.
std::int16_t DomainOfField(std::u16string_view field) {
  if (!field.empty() && field.size() <= 4 &&
      std::all_of(field.begin(), field.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
    std::int16_t value = 0;
    for (char16_t c : field) value = static_cast<std::int16_t>(value * 10 + (c - u'0'));
    return value;
  }
  return automation::ToInteger(automation::Variant(std::u16string(field)));
}

}  // namespace

AdminOfAdmin::AdminOfAdmin() {
  PublicDirProperty.Renew();
  AdminProperty.Renew();
}

bool AdminOfAdmin::GetAdminList() {
  ErrorMsg.clear();
  admin::SettingsTransaction transaction;  // one consistent reading of the file
  if (!admin::CheckSystemAdmin(Administrator, Password)) {
    ErrorMsg = kNoRight;
    return false;
  }
  const Ref<Admin> list = AdminProperty.Renew();
  admin::VisitSettingEntries(admin::kPrivateDirSection, [&list](std::u16string_view key, std::u16string_view entry) {
    std::u16string password(EntryField(entry, 0));
    const std::int16_t domain = DomainOfField(EntryField(entry, 1));
    list->AddNamed(std::u16string(key), std::move(password), domain, std::u16string(EntryField(entry, 2)));
  });
  return true;
}

bool AdminOfAdmin::AddAdmin(const String& AdminName, const String& AdminPassword, std::int16_t DomainID,
                            const String& RootDir) {
  ErrorMsg.clear();
  admin::SettingsTransaction transaction;
  if (!GetAdminList()) return false;

  std::u16string reason = storage::RefusalOfKeyName(AdminName, u"AdminName");
  if (reason.empty()) reason = storage::RefusalOfField(AdminPassword, u"AdminPassword");
  if (reason.empty()) reason = storage::RefusalOfField(RootDir, u"RootDir");
  const std::u16string entry = AdminPassword + u"|" + Decimal(DomainID) + u"|" + RootDir;
  if (reason.empty() && !storage::RefusalOfValue(entry, u"entry").empty()) {
    // The password opens the entry and the root folder closes it.
    reason = u"the AdminPassword may not start, nor the RootDir end, with a blank or a quote";
  }
  if (reason.empty()) reason = storage::RefusalOfLength(entry, u"AdminPassword with the RootDir");
  if (Refuse(ErrorMsg, reason)) return false;

  // The list is keyed by the names in their lower-case form: a name that
  // equals AdminName without regard to letter case is its key.
  if (AdminProperty.Get()->Find(AdminName)) {
    ErrorMsg = kAdminExists;
    return false;
  }
  if (!admin::WriteSetting(admin::kPrivateDirSection, AdminName, entry) || !transaction.Commit()) {
    ErrorMsg = kNotWritten;
    return false;
  }
  return true;
}

bool AdminOfAdmin::DelAdmin(const String& AdminName) {
  ErrorMsg.clear();
  admin::SettingsTransaction transaction;
  if (!GetAdminList()) return false;

  // Names are unique without regard to letter case (the list's keys): at most one matches.
  if (const Ref<CAdmin> item = AdminProperty.Get()->Find(AdminName)) {
    if (admin::DeleteSetting(admin::kPrivateDirSection, item->AdminName) && transaction.Commit()) return true;
    // the file could not be written: the key is still there
  }
  ErrorMsg = kAdminMissing;
  return false;
}

bool AdminOfAdmin::ChangeSystemPassword(const String& OldAdministrator, const String& OldPassword,
                                        const String& NewAdministrator, const String& NewPassword) {
  // Wrong old credentials leave ErrorMsg as the last operation left it.
  admin::SettingsTransaction transaction;
  if (!admin::CheckSystemAdmin(OldAdministrator, OldPassword)) return false;
  if (Refuse(ErrorMsg, RefusalOfSetting(NewAdministrator, u"NewAdministrator"))) return false;
  const bool written =
      admin::WriteSetting(admin::kVantrelSection, u"Administrator", NewAdministrator) &&
      admin::WriteSetting(admin::kVantrelSection, u"Password", storage::MakeSaltedPassword(NewPassword));
  if (!written || !transaction.Commit()) {
    ErrorMsg = kNotWritten;
    return false;
  }
  return true;
}

bool AdminOfAdmin::GetPublicDir() {
  ErrorMsg.clear();
  admin::SettingsTransaction transaction;
  if (!admin::CheckSystemAdmin(Administrator, Password)) {
    ErrorMsg = kNoRight;
    return false;
  }
  const Ref<PublicDir> list = PublicDirProperty.Renew();
  for (const auto& [key, directory] : admin::GetSettingEntries(admin::kPublicDirSection)) list->Add(directory, key);
  return true;
}

bool AdminOfAdmin::AddPublicDir(const String& SDir) {
  ErrorMsg.clear();
  admin::SettingsTransaction transaction;
  if (!GetPublicDir()) return false;

  // An empty public directory would be a prefix of every path.
  if (SDir.empty()) {
    ErrorMsg = kDirEmpty;
    return false;
  }
  if (Refuse(ErrorMsg, RefusalOfSetting(SDir, u"SDir"))) return false;
  const Ref<PublicDir> list = PublicDirProperty.Get();
  for (std::int32_t i = 1; i <= list->Count(); ++i) {
    if (storage::EqualsIgnoreCase(list->Item(automation::Variant(i))->Directory, SDir)) {
      ErrorMsg = kDirExists;
      return false;
    }
  }
  if (!admin::WriteSetting(admin::kPublicDirSection, FreeDirKey(list->Count()), SDir) || !transaction.Commit()) {
    ErrorMsg = kNotWritten;
    return false;
  }
  return true;
}

bool AdminOfAdmin::DelPublicDir(const String& SDir) {
  ErrorMsg.clear();
  admin::SettingsTransaction transaction;
  if (!GetPublicDir()) return false;

  // The section is written anew, renumbered from dir1, in the same
  // transaction as its deletion: no reader ever sees it missing.
  const Ref<PublicDir> list = PublicDirProperty.Get();
  bool rewritten = admin::DeleteSettingSection(admin::kPublicDirSection);
  std::int32_t counter = 1;
  for (std::int32_t i = 1; rewritten && i <= list->Count(); ++i) {
    const String& directory = list->Item(automation::Variant(i))->Directory;
    if (storage::EqualsIgnoreCase(directory, SDir)) continue;
    rewritten = admin::WriteSetting(admin::kPublicDirSection, u"dir" + Decimal(counter), directory);
    ++counter;
  }
  // A directory that cannot be written back would be lost: write nothing.
  if (!rewritten || !transaction.Commit()) {
    ErrorMsg = kDirMissing;
    return false;
  }
  if (counter != list->Count()) {
    ErrorMsg = kDirMissing;
    return false;
  }
  return true;
}

}  // namespace vantrel::classes
