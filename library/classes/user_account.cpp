#include "classes/user_account.hpp"

#include <string>
#include <vector>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "classes/user.hpp"
#include "storage/fields.hpp"
#include "storage/file_text.hpp"
#include "storage/paths.hpp"
#include "storage/servu/access_line.hpp"
#include "storage/servu/expiry.hpp"
#include "storage/servu/user_line.hpp"

namespace vantrel::classes {

namespace servu = storage::servu;

namespace {

constexpr std::int32_t kValueSize = 255;

std::int16_t ReadInteger16(storage::CIniFile& ini, const String& section, const char16_t* key) {
  const String text = ini.ReadString(section, key, kValueSize);
  return text.empty() ? std::int16_t{0} : automation::ToInteger(text);
}

std::int32_t ReadInteger32(storage::CIniFile& ini, const String& section, const char16_t* key) {
  const String text = ini.ReadString(section, key, kValueSize);
  return text.empty() ? 0 : automation::ToLong(text);
}

bool ReadFlag(storage::CIniFile& ini, const String& section, const char16_t* key) {
  return ini.ReadString(section, key, kValueSize) == u"1";
}

String Decimal(std::int32_t n) {
  const std::string text = std::to_string(n);
  return String(text.begin(), text.end());
}

// Why `text`, the whole value of one key, cannot be stored as given: a line
// break, NUL, invalid text, a code-page miss, or more than the library reads back.
String TextRefusal(const String& text, std::u16string_view what) {
  if (String why = storage::RefusalOfText(text, what); !why.empty()) return why;
  return storage::RefusalOfLength(text, what);
}

}  // namespace

StoredAccount ReadStoredAccount(storage::CIniFile& ini, const String& section) {
  StoredAccount account;
  account.storedPassword = ini.ReadString(section, u"Password", kValueSize);

  const String quota = ini.ReadString(section, u"DiskQuota", kValueSize);
  if (quota.starts_with(u"1|")) {
    account.enableDiskQuota = true;
    account.diskQuotaSize = automation::ToLong(admin::FieldAt(storage::SplitFields(quota), 1));
  }

  account.rules = automation::MakeRef<DirAccess>();
  for (const auto& [key, value] : ini.GetKeyValues(section, kValueSize)) {
    if (!servu::IsAccessKey(key)) continue;
    const std::vector<String> fields = storage::SplitFields(value);
    const String& directory = admin::FieldAt(fields, 0);
    const servu::AccessRights r = servu::ParseAccessLetters(admin::FieldAt(fields, 1));
    account.rules->Add(directory, r.filesRead, r.filesWrite, r.filesAppend, r.filesDelete, r.filesExecute,
                       r.dirList, r.dirCreate, r.dirRemove, r.subDirInherit);
  }

  account.homeDir = ini.ReadString(section, u"HomeDir", kValueSize);
  account.loginMesFile = ini.ReadString(section, u"LoginMesFile", kValueSize);
  account.relPaths = ReadFlag(ini, section, u"RelPaths");
  account.changePassword = ReadFlag(ini, section, u"ChangePassword");
  account.timeOut = ReadInteger16(ini, section, u"TimeOut");
  account.maxUsersLoginPerIP = ReadInteger16(ini, section, u"MaxUsersLoginPerIP");
  account.speedLimitUp = ReadInteger32(ini, section, u"SpeedLimitUp");
  account.speedLimitDown = ReadInteger32(ini, section, u"SpeedLimitDown");
  account.sessionTimeOut = ReadInteger32(ini, section, u"SessionTimeOut");
  account.maxNrUsers = ReadInteger16(ini, section, u"MaxNrUsers");
  return account;
}

std::vector<Ref<CDirAccess>> AdmittedRules(User& user) {
  std::vector<Ref<CDirAccess>> admitted;
  const Ref<DirAccess> rules = user.DirAccessProperty.Get();
  for (std::int32_t i = 1; i <= rules->Count(); ++i) {
    Ref<CDirAccess> rule = rules->Item(automation::Variant(i));
    if (!admin::CheckDirRight(user.AdminName, user.AdminPassword, rule->Directory)) continue;
    const String written = servu::AccessLineDirectory(rule->Accesses);
    if (written != rule->Directory && !admin::CheckDirRight(user.AdminName, user.AdminPassword, written)) continue;
    admitted.push_back(std::move(rule));
  }
  return admitted;
}

String AccountRefusal(User& user, const String& name, const std::vector<Ref<CDirAccess>>& rules) {
  if (name.find_first_of(u"|]") != String::npos)
    return u"the UserName holds \"|\" or \"]\", which would break the server file";
  if (String why = storage::RefusalOfText(name, u"UserName"); !why.empty()) return why;
  const auto expiry = servu::ExpiryField(user.Expire, user.ExpireDate.value);
  if (!expiry) return u"the ExpireDate lies outside the range the server file can hold";
  if (String why = storage::RefusalOfLength(servu::ComposeUserLine(name, user.Disable, *expiry), u"UserName");
      !why.empty())
    return why;
  if (String why = TextRefusal(user.HomeDir, u"HomeDir"); !why.empty()) return why;
  // A login message file that does not exist is replaced by the default.
  if (storage::FileExists(user.LoginMesFile))
    if (String why = TextRefusal(user.LoginMesFile, u"LoginMesFile"); !why.empty()) return why;
  if (String why = TextRefusal(user.StoredPassword(), u"stored password"); !why.empty()) return why;
  for (const Ref<CDirAccess>& rule : rules) {
    if (rule->Directory.find(u'|') != String::npos)
      return u"the DirAccess directory \"" + rule->Directory + u"\" holds \"|\"";
    if (rule->Accesses.find(u'|') == String::npos)
      return u"the DirAccess text \"" + rule->Accesses + u"\" has no \"|\" before its letters";
    if (String why = TextRefusal(rule->Accesses, u"DirAccess rule"); !why.empty()) return why;
  }
  return {};
}

bool WriteAccount(storage::CIniFile& ini, User& user, const String& name, std::int16_t domainID,
                  const String& listKey, const std::vector<Ref<CDirAccess>>& rules) {
  const auto expiry = servu::ExpiryField(user.Expire, user.ExpireDate.value);
  if (!expiry) return false;
  if (!ini.WriteString(servu::UserIndexSection(domainID), listKey,
                       servu::ComposeUserLine(name, user.Disable, *expiry)))
    return false;

  const String section = servu::UserSection(name, domainID);
  // No key of an earlier account of this name (an old password or rule) survives.
  if (!ini.DeleteSection(section)) return false;
  const auto write = [&](const String& key, const String& value) { return ini.WriteString(section, key, value); };

  if (!write(u"HomeDir", user.HomeDir)) return false;
  if (!user.Password().empty() && !write(u"Password", user.StoredPassword())) return false;
  if (!write(u"TimeOut", Decimal(user.TimeOut))) return false;

  int k = 1;
  for (const Ref<CDirAccess>& rule : rules) {
    storage::CreateFolderPath(servu::AccessLineDirectory(rule->Accesses));
    if (!write(servu::AccessKey(k++), rule->Accesses)) return false;
  }

  const String loginFile = storage::FileExists(user.LoginMesFile)
                               ? user.LoginMesFile
                               : storage::PathJoin(storage::WindowsFolder(), u"Vantrel.txt");
  if (!write(u"LoginMesFile", loginFile)) return false;

  if (user.RelPaths && !write(u"RelPaths", u"1")) return false;
  if (user.ChangePassword && !write(u"ChangePassword", u"1")) return false;
  if (user.EnableDiskQuota && !write(u"DiskQuota", u"1|" + Decimal(user.DiskQuotaSize) + u"|0")) return false;
  const struct {
    const char16_t* key;
    std::int32_t value;
  } numbers[] = {{u"MaxUsersLoginPerIP", user.MaxUsersLoginPerIP},
                 {u"MaxNrUsers", user.MaxNrUsers},
                 {u"SpeedLimitUp", user.SpeedLimitUp},
                 {u"SpeedLimitDown", user.SpeedLimitDown},
                 {u"SessionTimeOut", user.SessionTimeOut}};
  for (const auto& n : numbers)
    if (n.value != 0 && !write(n.key, Decimal(n.value))) return false;
  return true;
}

}  // namespace vantrel::classes
