// vantrel users list | show NAME | add NAME [options] | modify NAME [options] | delete NAME
//
// A domain's accounts through a late-bound User object, as a page calls it.
// Option values go in as text and are coerced to each property's type, so a
// bad number or date is refused the way a page's form value would be (exit 2).
// `modify` reads the account (GetUser), applies only the options given and
// writes it back (ModifyUser), so unmentioned settings are kept.
//
// Passwords never travel on the command line. The administrator's password
// (with --admin) comes from the first line of standard input with
// --password-stdin, else VANTREL_PASSWORD, else a prompt without echo. The
// account's new password (--set-password) comes from the next line of
// standard input with --password-stdin, else VANTREL_USER_PASSWORD, else a
// prompt without echo.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "cli_support.hpp"
#include "model/names.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
using nlohmann::json;

constexpr char kRuleLetters[] = "RWAMELCDP";

struct MissingDomain {
  std::string message;
};

struct Request {
  std::string name;
  std::string domain;  // empty: the operation's default (1)
  bool passwordStdin = false;
  bool setPassword = false;
  std::optional<std::string> home, expire, timeout, maxUsers, maxPerIp, speedUp, speedDown, sessionTimeout, quota,
      loginMessage, rename;
  std::vector<std::string> rules;
  bool clearRules = false;
  bool disable = false, enable = false;
  bool relPaths = false, noRelPaths = false;
  bool changePassword = false, noChangePassword = false;
};

std::string DateText(au::Date date) {
  const au::DateParts p = au::SplitDate(date);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute, p.second);
  return buf;
}

// ISO 8601 for JSON: "2030-06-30T18:00:00".
std::string IsoDate(au::Date date) {
  std::string text = DateText(date);
  text[10] = 'T';
  return text;
}

// --domain names a domain of the server file, or the command stops with a
// message naming it (exit 1) instead of showing nothing.
void CheckDomain(const Request& q, const GlobalOptions& options) {
  if (q.domain.empty()) return;
  if (q.domain.find_first_not_of("0123456789") != std::string::npos || q.domain.size() > 5)
    throw UsageError{"--domain '" + q.domain + "': expected a domain number (`vantrel domains list` shows them)"};
  au::Ref<au::Object> domains = CreateManager(m::Domains::kProgId);
  SetServUPath(*domains, options);
  if (!au::ToBoolean(CallMethod(*domains, m::Domains::GetDomain))) return;  // the operation reports the file
  for (const auto& domain : CollectionItems(*domains, m::Domains::Domain))
    if (au::ToInteger(GetProperty(*domain, m::CDomain::ID)) == std::stoi(q.domain)) return;
  throw MissingDomain{"no domain " + q.domain + " in " + ServUPathOf(options) +
                      "/ServUDaemon.ini (`vantrel domains list` shows them)"};
}

std::vector<au::Variant> DomainArgs(const Request& q) {
  std::vector<au::Variant> args;
  if (!q.domain.empty()) {
    au::Variant domain(au::FromUtf8(q.domain));
    args.push_back(std::move(domain));
  }
  return args;
}

std::vector<au::Variant> NameAndDomain(const Request& q) {
  std::vector<au::Variant> args{au::FromUtf8(q.name)};
  for (auto& a : DomainArgs(q)) args.push_back(std::move(a));
  return args;
}

au::Ref<au::Object> NewUser(const GlobalOptions& options, bool passwordStdin) {
  au::Ref<au::Object> user = CreateManager(m::User::kProgId);
  SetServUPath(*user, options);
  SetCredentials(*user, options, CredentialsPassword(options, passwordStdin));
  return user;
}

bool BoolProperty(au::Object& o, std::u16string_view name) { return au::ToBoolean(GetProperty(o, name)); }

std::string ExpiryText(au::Object& o) {
  return BoolProperty(o, m::CUserList::Expire) ? DateText(au::ToDate(GetProperty(o, m::CUserList::ExpireDate)))
                                               : "never";
}

int List(const Request& q, const GlobalOptions& options) {
  CheckDomain(q, options);
  au::Ref<au::Object> user = NewUser(options, q.passwordStdin);
  if (!au::ToBoolean(CallMethod(*user, m::User::GetUserList, DomainArgs(q))))
    return OperationOutcome(*user, m::User::GetUserList, false, options, "");
  const auto rows = CollectionItems(*user, m::User::UserList);
  if (options.json) {
    json list = json::array();
    for (const auto& r : rows)
      list.push_back({{"UserName", StringProperty(*r, m::CUserList::UserName)},
                      {"DomainID", au::ToInteger(GetProperty(*r, m::CUserList::DomainID))},
                      {"Disable", BoolProperty(*r, m::CUserList::Disable)},
                      {"Expire", BoolProperty(*r, m::CUserList::Expire)},
                      {"ExpireDate", BoolProperty(*r, m::CUserList::Expire)
                                         ? json(IsoDate(au::ToDate(GetProperty(*r, m::CUserList::ExpireDate))))
                                         : json(nullptr)}});
    std::cout << list.dump(2) << '\n';
    return kSuccess;
  }
  Table table{{"UserName", "Status", "Expires"}, {}};
  for (const auto& r : rows)
    table.rows.push_back({StringProperty(*r, m::CUserList::UserName),
                          BoolProperty(*r, m::CUserList::Disable) ? "disabled" : "enabled", ExpiryText(*r)});
  table.Print(std::cout);
  return kSuccess;
}

// The account settings shown by `show`, in the order of the User interface.
namespace shown = m::User;
const std::u16string_view kShown[] = {
    shown::UserName,     shown::HomeDir,         shown::Password,      shown::Disable,        shown::Expire,
    shown::ExpireDate,   shown::TimeOut,         shown::SessionTimeOut, shown::MaxNrUsers,    shown::MaxUsersLoginPerIP,
    shown::SpeedLimitUp, shown::SpeedLimitDown, shown::EnableDiskQuota, shown::DiskQuotaSize, shown::RelPaths,
    shown::ChangePassword, shown::LoginMesFile};

// The name as the domain's list holds it (GetUser finds the account without
// regard to letter case but keeps the letter case it was given).
std::string StoredName(au::Object& user, const std::string& typed) {
  const au::Ref<au::Object> list = GetProperty(user, m::User::UserList).AsObject();
  const au::Ref<au::Object> row = CallMethod(*list, m::UserList::Item, {au::Variant(au::FromUtf8(typed))}).AsObject();
  return StringProperty(*row, m::CUserList::UserName);
}

int Show(const Request& q, const GlobalOptions& options) {
  au::Ref<au::Object> user = NewUser(options, q.passwordStdin);
  if (!au::ToBoolean(CallMethod(*user, m::User::GetUser, NameAndDomain(q))))
    return OperationOutcome(*user, m::User::GetUser, false, options, "");
  LetProperty(*user, m::User::UserName, au::FromUtf8(StoredName(*user, q.name)));
  json account = json::object();
  Table settings{{"Setting", "Value"}, {}};
  for (std::u16string_view name : kShown) {
    const au::Variant v = GetProperty(*user, name);
    const std::string key = au::ToUtf8(name);
    switch (v.Type()) {
      case au::VarType::Bool: account[key] = v.AsBool(); break;
      case au::VarType::I2: account[key] = v.AsI2(); break;
      case au::VarType::I4: account[key] = v.AsI4(); break;
      case au::VarType::Date: account[key] = IsoDate(v.AsDate()); break;
      default: account[key] = au::ToUtf8(au::ToString(v));
    }
    const std::string text = v.Type() == au::VarType::Date ? DateText(v.AsDate()) : au::ToUtf8(au::ToString(v));
    settings.rows.push_back({key, text});
  }
  json rules = json::array();
  Table ruleTable{{"#", "Directory", "Rights"}, {}};
  for (const auto& rule : CollectionItems(*user, m::User::DirAccess)) {
    const std::string accesses = StringProperty(*rule, m::CDirAccess::Accesses);
    const std::string directory = StringProperty(*rule, m::CDirAccess::Directory);
    const std::string letters = accesses.substr(accesses.find('|') == std::string::npos ? accesses.size()
                                                                                          : accesses.find('|') + 1);
    rules.push_back({{"Directory", directory}, {"Accesses", accesses}});
    ruleTable.rows.push_back({std::to_string(ruleTable.rows.size() + 1), directory, letters});
  }
  account["DirAccess"] = rules;
  if (!account[au::ToUtf8(shown::Expire)].get<bool>()) account[au::ToUtf8(shown::ExpireDate)] = nullptr;  // no expiry
  if (options.json) {
    std::cout << account.dump(2) << '\n';
    return kSuccess;
  }
  settings.Print(std::cout);
  std::cout << "Access rules (" << ruleTable.rows.size() << ")\n";
  if (!ruleTable.rows.empty()) ruleTable.Print(std::cout, "  ");
  return kSuccess;
}

// 'DIR|LETTERS': the directory before the last "|", one capital letter per right.
void AddRule(au::Object& user, const std::string& spec) {
  const auto bar = spec.rfind('|');
  if (bar == std::string::npos || bar == 0)
    throw UsageError{"--rule '" + spec + "': expected DIR|LETTERS, letters from " + kRuleLetters};
  const std::string directory = spec.substr(0, bar);
  const std::string letters = spec.substr(bar + 1);
  for (char c : letters)
    if (std::string(kRuleLetters).find(c) == std::string::npos)
      throw UsageError{"--rule '" + spec + "': unknown right letter '" + std::string(1, c) + "' (use " +
                       kRuleLetters + ")"};
  std::vector<au::Variant> args{au::FromUtf8(directory)};
  for (const char* letter = kRuleLetters; *letter; ++letter) args.emplace_back(letters.find(*letter) != std::string::npos);
  const au::Ref<au::Object> rules = GetProperty(user, m::User::DirAccess).AsObject();
  CallMethod(*rules, m::DirAccess::Add, args);
}

void ClearRules(au::Object& user) {
  const au::Ref<au::Object> rules = GetProperty(user, m::User::DirAccess).AsObject();
  while (au::ToLong(GetProperty(*rules, m::DirAccess::Count)) > 0)
    CallMethod(*rules, m::DirAccess::Remove, {au::Variant(std::int32_t{1})});
}

std::string NewAccountPassword(const Request& q) {
  if (q.passwordStdin) return ReadPassword(true);
  if (const char* fromEnvironment = std::getenv("VANTREL_USER_PASSWORD")) return fromEnvironment;
  return ReadPassword(false, "New password for " + q.name + ": ");
}

// Lets the properties the options name; the others stay as they are.
void ApplyOptions(au::Object& user, const Request& q) {
  constexpr char kShort[] = "a whole number from 0 to 32767";
  constexpr char kLong[] = "a whole number from 0 to 2147483647";
  const auto let = [&](std::u16string_view name, const char* option, const std::optional<std::string>& value,
                       const char* expected = "text") {
    if (value) LetOption(user, name, option, *value, expected);
  };
  let(m::User::UserName, "--rename", q.rename);
  let(m::User::HomeDir, "--home", q.home);
  let(m::User::TimeOut, "--timeout", q.timeout, kShort);
  let(m::User::MaxNrUsers, "--max-users", q.maxUsers, kLong);
  let(m::User::MaxUsersLoginPerIP, "--max-per-ip", q.maxPerIp, kLong);
  let(m::User::SpeedLimitUp, "--speed-up", q.speedUp, kLong);
  let(m::User::SpeedLimitDown, "--speed-down", q.speedDown, kLong);
  let(m::User::SessionTimeOut, "--session-timeout", q.sessionTimeout, kLong);
  let(m::User::LoginMesFile, "--login-message", q.loginMessage);
  if (q.disable) LetProperty(user, m::User::Disable, true);
  if (q.enable) LetProperty(user, m::User::Disable, false);
  if (q.relPaths) LetProperty(user, m::User::RelPaths, true);
  if (q.noRelPaths) LetProperty(user, m::User::RelPaths, false);
  if (q.changePassword) LetProperty(user, m::User::ChangePassword, true);
  if (q.noChangePassword) LetProperty(user, m::User::ChangePassword, false);
  if (q.expire) {
    if (*q.expire == "never") {
      LetProperty(user, m::User::Expire, false);
    } else {
      LetOption(user, m::User::ExpireDate, "--expire", *q.expire, "a date and time such as \"2030-06-30 18:00:00\", or never");
      LetProperty(user, m::User::Expire, true);
    }
  }
  if (q.quota) {
    if (*q.quota == "off") {
      LetProperty(user, m::User::EnableDiskQuota, false);
    } else {
      LetOption(user, m::User::DiskQuotaSize, "--quota", *q.quota, "a whole number, or off");
      LetProperty(user, m::User::EnableDiskQuota, true);
    }
  }
  if (q.clearRules || !q.rules.empty()) ClearRules(user);
  for (const std::string& rule : q.rules) AddRule(user, rule);
}

int Add(const Request& q, const GlobalOptions& options) {
  au::Ref<au::Object> user = NewUser(options, q.passwordStdin);
  LetProperty(*user, m::User::UserName, au::FromUtf8(q.name));
  ApplyOptions(*user, q);
  if (q.setPassword) LetProperty(*user, m::User::Password, au::FromUtf8(NewAccountPassword(q)));
  const bool ok = au::ToBoolean(CallMethod(*user, m::User::AddUser, DomainArgs(q)));
  return OperationOutcome(*user, m::User::AddUser, ok, options, "Added user " + q.name);
}

int Modify(const Request& q, const GlobalOptions& options) {
  au::Ref<au::Object> user = NewUser(options, q.passwordStdin);
  if (!au::ToBoolean(CallMethod(*user, m::User::GetUser, NameAndDomain(q))))
    return OperationOutcome(*user, m::User::GetUser, false, options, "");
  // The account is replaced under the name the list holds, and keeps that
  // name (in its letter case) unless --rename gives another.
  Request stored = q;
  stored.name = StoredName(*user, q.name);
  LetProperty(*user, m::User::UserName, au::FromUtf8(stored.name));
  ApplyOptions(*user, q);
  if (q.setPassword) LetProperty(*user, m::User::Password, au::FromUtf8(NewAccountPassword(q)));
  const bool ok = au::ToBoolean(CallMethod(*user, m::User::ModifyUser, NameAndDomain(stored)));
  const std::string renamed = q.rename && *q.rename != stored.name ? " (now " + *q.rename + ")" : "";
  return OperationOutcome(*user, m::User::ModifyUser, ok, options, "Modified user " + stored.name + renamed);
}

int Delete(const Request& q, const GlobalOptions& options) {
  au::Ref<au::Object> user = NewUser(options, q.passwordStdin);
  const bool ok = au::ToBoolean(CallMethod(*user, m::User::DelUser, NameAndDomain(q)));
  return OperationOutcome(*user, m::User::DelUser, ok, options, "Deleted user " + q.name);
}

int Guarded(const std::function<int()>& body) {
  try {
    return RunGuarded(body);
  } catch (const MissingDomain& e) {
    PrintError(e.message);
    return kOperationFalse;
  }
}

void AddCommonOptions(CLI::App* sub, Request& q) {
  sub->add_option("--domain", q.domain, "domain number (default 1)")->type_name("N");
  sub->add_flag("--password-stdin", q.passwordStdin,
                "read passwords from standard input: the administrator's, then the account's new one");
}

void AddAccountOptions(CLI::App* sub, Request& q) {
  sub->add_flag("--set-password", q.setPassword, "give the account a new password (never on the command line)");
  sub->add_option("--home", q.home, "home folder");
  sub->add_option("--rule", q.rules, "access rule DIR|LETTERS (repeatable; replaces the rules); letters: R read files, W write, A append, "
                "M delete files, E execute, L list folders, C create folders, D remove folders, P apply to subfolders");
  sub->add_flag("--clear-rules", q.clearRules, "remove every access rule");
  auto* disable = sub->add_flag("--disable", q.disable, "disable the account");
  sub->add_flag("--enable", q.enable, "enable the account")->excludes(disable);
  sub->add_option("--expire", q.expire, "expiry date and time (e.g. \"2030-06-30 18:00:00\") or never")->type_name("DATE|never");
  sub->add_option("--timeout", q.timeout, "idle time-out in seconds (0: none)")->type_name("SECONDS");
  sub->add_option("--max-users", q.maxUsers, "maximum number of users logged in at once (0: no limit)")->type_name("N");
  sub->add_option("--max-per-ip", q.maxPerIp, "maximum logins per IP address (0: no limit)")->type_name("N");
  sub->add_option("--speed-up", q.speedUp, "upload speed limit in bytes per second (0: none)")->type_name("BYTES/S");
  sub->add_option("--speed-down", q.speedDown, "download speed limit in bytes per second (0: none)")->type_name("BYTES/S");
  sub->add_option("--session-timeout", q.sessionTimeout, "session time-out in seconds (0: none)")->type_name("SECONDS");
  sub->add_option("--quota", q.quota, "disk quota in bytes, or off")->type_name("BYTES|off");
  auto* rel = sub->add_flag("--relpaths", q.relPaths, "show paths relative to the home folder");
  sub->add_flag("--no-relpaths", q.noRelPaths, "show full paths")->excludes(rel);
  auto* change = sub->add_flag("--change-password", q.changePassword, "the user may change the password");
  sub->add_flag("--no-change-password", q.noChangePassword, "the user may not change the password")->excludes(change);
  sub->add_option("--login-message", q.loginMessage, "login message file");
}

}  // namespace

void AddUsersCommand(CLI::App& app, GlobalOptions& options, int& result) {
  auto* users = app.add_subcommand("users", "list, show, add, change and delete the accounts of a domain");
  users->require_subcommand(1);
  auto q = std::make_shared<Request>();

  auto* list = users->add_subcommand("list", "list the domain's accounts");
  AddCommonOptions(list, *q);
  list->callback([q, &options, &result] { result = Guarded([&] { return List(*q, options); }); });

  auto* show = users->add_subcommand("show", "show one account with its access rules");
  show->add_option("name", q->name, "user name")->required();
  AddCommonOptions(show, *q);
  show->callback([q, &options, &result] { result = Guarded([&] { return Show(*q, options); }); });

  auto* add = users->add_subcommand("add", "add an account");
  add->add_option("name", q->name, "user name")->required();
  AddCommonOptions(add, *q);
  AddAccountOptions(add, *q);
  add->callback([q, &options, &result] { result = Guarded([&] { return Add(*q, options); }); });

  auto* modify = users->add_subcommand("modify", "change the given settings of an account, keeping the others");
  modify->add_option("name", q->name, "user name")->required();
  AddCommonOptions(modify, *q);
  AddAccountOptions(modify, *q);
  modify->add_option("--rename", q->rename, "new user name");
  modify->callback([q, &options, &result] { result = Guarded([&] { return Modify(*q, options); }); });

  auto* del = users->add_subcommand("delete", "delete an account");
  del->add_option("name", q->name, "user name")->required();
  AddCommonOptions(del, *q);
  del->callback([q, &options, &result] { result = Guarded([&] { return Delete(*q, options); }); });
}

}  // namespace vantrel::cli
