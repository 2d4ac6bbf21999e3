// User operations: listing, reading, adding, deleting and changing the
// accounts of one domain in the FTP server's configuration file.
//
// Every operation that touches the server file runs as one transaction on it
// (ServerFile): what it reads and writes is one consistent step,
// and an error part way writes nothing.
#include "classes/user.hpp"

#include <algorithm>
#include <vector>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "admin/settings_init.hpp"
#include "classes/refusal.hpp"
#include "classes/server_file.hpp"
#include "classes/user_account.hpp"
#include "classes/user_list_reader.hpp"
#include "storage/blanks.hpp"
#include "storage/case_fold.hpp"
#include "storage/password.hpp"
#include "storage/servu/user_line.hpp"

namespace vantrel::classes {

namespace servu = storage::servu;

namespace {

constexpr char16_t kRightLimited[] = u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword";
constexpr char16_t kNameEmpty[] = u"Username can not be empty";
constexpr char16_t kNameExists[] = u"This username exists already";
constexpr char16_t kNameMissing[] = u"This username does not exist";
constexpr char16_t kHomeDirRefused[] = u"The HomeDir has no right!";
constexpr char16_t kDefaultHomeDir[] = u"C:\\Vantrel\\Pub";

std::vector<Ref<CUserList>> Rows(const UserList& list) {
  std::vector<Ref<CUserList>> rows;
  for (std::int32_t i = 1; i <= list.Count(); ++i) rows.push_back(list.Item(automation::Variant(i)));
  return rows;
}

bool NameTaken(const std::vector<Ref<CUserList>>& rows, const String& name) {
  return std::any_of(rows.begin(), rows.end(),
                     [&](const Ref<CUserList>& row) { return storage::EqualsIgnoreCase(row->UserName, name); });
}

// The first key User<n>, n from count + 1 upward, that the section does not hold.
String FreeListKey(storage::CIniFile& ini, std::int16_t domainID, std::int32_t count) {
  const std::vector<String> keys = ini.GetKeys(servu::UserIndexSection(domainID));
  for (std::int32_t n = count + 1;; ++n) {
    const String key = servu::UserKey(n);
    if (std::none_of(keys.begin(), keys.end(), [&](const String& k) { return storage::EqualsIgnoreCase(k, key); }))
      return key;
  }
}

// Takes the list lines out of the domain's user index section. Other keys kept
// there (by the FTP server or an operator) stay, with the section in its place;
// a section of list lines only is deleted whole.
bool ClearUserList(storage::CIniFile& ini, const String& section) {
  const std::vector<String> keys = ini.GetKeys(section);
  const auto isListKey = [](const String& key) { return servu::IsUserListKey(key); };
  if (std::all_of(keys.begin(), keys.end(), isListKey)) return ini.DeleteSection(section);
  for (const String& key : keys)
    if (isListKey(key) && !ini.DeleteKey(section, key)) return false;
  return true;
}

// Rewrites the domain's user list without the rows whose name equals `name`
// exactly, deleting their user sections. The number of rows removed, or
// nullopt when a write failed (the caller then commits nothing, so no line is lost).
std::optional<int> RemoveUser(storage::CIniFile& ini, std::int16_t domainID, const std::vector<Ref<CUserList>>& rows,
                              const String& name) {
  const String section = servu::UserIndexSection(domainID);
  if (!ClearUserList(ini, section)) return std::nullopt;
  int removed = 0;
  int k = 1;
  for (const Ref<CUserList>& row : rows) {
    if (row->UserName == name) {
      ini.DeleteSection(servu::UserSection(String(storage::TrimSpaces(name)), domainID));
      ++removed;
      continue;
    }
    const auto line = UserListLineOf(*row);
    if (!line || !ini.WriteString(section, servu::UserKey(k++), *line)) return std::nullopt;
  }
  return removed;
}

// The checks of an add, in their fixed order after the file is open and the
// list read. `others` are the domain's users that stay beside the new account.
// Sets ErrorMsg and returns nullopt on the first failed check (text the file
// cannot hold included); otherwise hands back the admitted rules.
std::optional<std::vector<Ref<CDirAccess>>> CheckAdd(User& user, const String& name,
                                                     const std::vector<Ref<CUserList>>& others) {
  if (NameTaken(others, name)) {
    user.ErrorMsg = kNameExists;
    return std::nullopt;
  }
  if (user.HomeDir.empty()) user.HomeDir = kDefaultHomeDir;
  if (!admin::CheckDirRight(user.AdminName, user.AdminPassword, user.HomeDir)) {
    user.ErrorMsg = kHomeDirRefused;
    return std::nullopt;
  }
  std::vector<Ref<CDirAccess>> rules = AdmittedRules(user);
  if (Refuse(user.ErrorMsg, AccountRefusal(user, name, rules))) return std::nullopt;
  return rules;
}

// The checks every account operation starts with, in their order: the
// caller's right to the domain, then, when a name is given, that it is not
// empty. Clears ErrorMsg first and leaves the failing check's message.
bool PassesAccountChecks(User& user, std::int16_t domainID, const String* name) {
  user.ErrorMsg.clear();
  if (!admin::CheckDomainRight(user.AdminName, user.AdminPassword, domainID)) {
    user.ErrorMsg = kRightLimited;
    return false;
  }
  if (name && name->empty()) {
    user.ErrorMsg = kNameEmpty;
    return false;
  }
  return true;
}

// The domain's user list read afresh into a new UserList of the object.
Ref<UserList> RefillUserList(User& user, storage::CIniFile& ini, std::int16_t domainID) {
  const Ref<UserList> list = user.UserListProperty.Renew();
  FillUserList(ini, domainID, *list);
  return list;
}

}  // namespace

User::User() {
  DirAccessProperty.Renew();
  UserListProperty.Renew();
}

void User::SetPassword(const String& text) {
  if (text.empty()) {
    password_.clear();
    return;
  }
  storedPassword_ = storage::MakeSaltedPassword(text);
  password_ = u"Encrypted";
}

bool User::GetUserList(std::int16_t DomainID) {
  if (!PassesAccountChecks(*this, DomainID, nullptr)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  RefillUserList(*this, *ini, DomainID);
  return true;
}

bool User::GetUser(const String& userName, std::int16_t DomainID) {
  if (!PassesAccountChecks(*this, DomainID, &userName)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const Ref<UserList> list = RefillUserList(*this, *ini, DomainID);

  Ref<CUserList> match;
  for (const Ref<CUserList>& row : Rows(*list))
    if (storage::EqualsIgnoreCase(row->UserName, userName)) match = row;  // the last match counts
  if (!match) {
    ErrorMsg = kNameMissing;
    return false;
  }

  // Everything is read before anything is set: a malformed value raises its
  // error with the object's account unchanged.
  const String trimmed = String(storage::TrimSpaces(userName));
  StoredAccount account = ReadStoredAccount(*ini, servu::UserSection(trimmed, DomainID));

  Disable = match->Disable;
  Expire = match->Expire;
  ExpireDate = match->ExpireDate;
  UserName = trimmed;
  SetStoredPassword(account.storedPassword);
  password_ = account.storedPassword.empty() ? String() : String(u"Encrypted");
  EnableDiskQuota = account.enableDiskQuota;
  DiskQuotaSize = account.diskQuotaSize;
  DirAccessProperty.Set(account.rules);
  HomeDir = account.homeDir;
  LoginMesFile = account.loginMesFile;
  RelPaths = account.relPaths;
  ChangePassword = account.changePassword;
  TimeOut = account.timeOut;
  MaxUsersLoginPerIP = account.maxUsersLoginPerIP;
  SpeedLimitUp = account.speedLimitUp;
  SpeedLimitDown = account.speedLimitDown;
  SessionTimeOut = account.sessionTimeOut;
  MaxNrUsers = account.maxNrUsers;
  return true;
}

bool User::AddUser(std::int16_t DomainID) {
  admin::EnsureSettingsFiles();
  const String name = String(storage::TrimSpaces(UserName));
  if (!PassesAccountChecks(*this, DomainID, &name)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const Ref<UserList> list = RefillUserList(*this, *ini, DomainID);
  const std::vector<Ref<CUserList>> rows = Rows(*list);
  const auto rules = CheckAdd(*this, name, rows);
  if (!rules) return false;

  const String key = FreeListKey(*ini, DomainID, list->Count());
  if (!WriteAccount(*ini, *this, name, DomainID, key, *rules)) return false;
  return ini.Commit();
}

bool User::DelUser(const String& userName, std::int16_t DomainID) {
  if (!PassesAccountChecks(*this, DomainID, &userName)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const Ref<UserList> list = RefillUserList(*this, *ini, DomainID);
  const auto removed = RemoveUser(*ini, DomainID, Rows(*list), userName);
  if (!removed) return false;
  // The list is rewritten (renumbered) whether or not the name was found.
  if (!ini.Commit()) return false;
  if (*removed != 1) {
    ErrorMsg = kNameMissing;
    return false;
  }
  return true;
}

bool User::ModifyUser(const String& userName, std::int16_t DomainID) {
  admin::EnsureSettingsFiles();
  if (!PassesAccountChecks(*this, DomainID, &userName)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const Ref<UserList> list = RefillUserList(*this, *ini, DomainID);
  const std::vector<Ref<CUserList>> rows = Rows(*list);
  if (!NameTaken(rows, userName)) {
    ErrorMsg = kNameMissing;
    return false;
  }
  // The delete removes only a row of exactly this name.
  std::vector<Ref<CUserList>> others;
  for (const Ref<CUserList>& row : rows)
    if (row->UserName != userName) others.push_back(row);
  if (others.size() + 1 != rows.size()) {
    ErrorMsg = kNameMissing;
    return false;
  }

  // Every condition of the add is checked before the account is deleted, and
  // delete and add commit together: the account is never lost.
  const String name = String(storage::TrimSpaces(UserName));
  if (name.empty()) {
    ErrorMsg = kNameEmpty;
    return false;
  }
  const auto rules = CheckAdd(*this, name, others);
  if (!rules) return false;

  if (!RemoveUser(*ini, DomainID, rows, userName)) return false;
  const String key = FreeListKey(*ini, DomainID, static_cast<std::int32_t>(others.size()));
  if (!WriteAccount(*ini, *this, name, DomainID, key, *rules)) return false;
  return ini.Commit();
}

std::int16_t User::GetRole(std::int16_t DomainID) {
  return static_cast<std::int16_t>(admin::CallerRole(AdminName, AdminPassword, DomainID));
}

bool User::Reload() { return ReloadServer(ServUPath, ErrorMsg); }

}  // namespace vantrel::classes
