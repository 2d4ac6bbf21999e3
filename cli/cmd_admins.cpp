// vantrel admins list | add NAME --domain N --root DIR | delete NAME | passwd [--name NEW]
// vantrel public-dirs list | add DIR | delete DIR
//
// The library's own administrators and public directories through a
// late-bound AdminOfAdmin object. Every command needs the system
// administrator: --admin NAME (or VANTREL_ADMIN) and its password
// (VANTREL_PASSWORD, a prompt without echo, or --password-stdin).
//
// Passwords never go on the command line. With --password-stdin, standard
// input holds one password per line: first the caller's, then the new one for
// `add` and `passwd`. Without it, the caller's comes from VANTREL_PASSWORD or
// a prompt, and the new one from VANTREL_NEW_PASSWORD or a prompt.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "cli_support.hpp"
#include "model/names.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
using nlohmann::json;

constexpr char kFactoryName[] = "Vantrel";
constexpr char kFactoryPassword[] = "KelpMoor";

struct Request {
  std::string name, rootDir, domain, newName, directory;
  bool passwordStdin = false;
  bool showPasswords = false;
};

// The caller's password: standard input's first line with --password-stdin,
// else VANTREL_PASSWORD, else a prompt on a terminal.
std::string CallerPassword(const GlobalOptions& options, bool fromStdin) {
  return CredentialsPassword(options, fromStdin);
}

// A new password: standard input's next line with --password-stdin, else
// VANTREL_NEW_PASSWORD, else a prompt given twice on a terminal. Empty
// optional when there is none to be had.
std::optional<std::string> NewPassword(bool fromStdin, const std::string& whose) {
  if (fromStdin) {
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
  }
  if (const char* value = std::getenv("VANTREL_NEW_PASSWORD")) return std::string(value);
  if (!::isatty(STDIN_FILENO)) return std::nullopt;
  const std::string first = ReadPassword(false, "New password for " + whose + ": ");
  const std::string again = ReadPassword(false, "Repeat the new password: ");
  if (first != again) {
    std::cerr << "vantrel: the two passwords differ\n";
    return std::nullopt;
  }
  return first;
}

au::Ref<au::Object> NewAdminOfAdmin(const GlobalOptions& options, const std::string& password) {
  au::Ref<au::Object> object = CreateManager(m::AdminOfAdmin::kProgId);
  SetCredentials(*object, options, password);
  return object;
}

// A stamp file in the user's cache folder records the last warning, so that
// scripts see it at most once a day. True when no warning was given in the
// last 24 hours (and the stamp is renewed then).
bool WarningDue() {
  namespace fs = std::filesystem;
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if ((!cache || !*cache) && (!home || !*home)) return true;
  const fs::path folder = cache && *cache ? fs::path(cache) / "vantrel" : fs::path(home) / ".cache" / "vantrel";
  const fs::path stamp = folder / "factory-password-warned";
  std::error_code error;
  const auto last = fs::last_write_time(stamp, error);
  if (!error && fs::file_time_type::clock::now() - last < std::chrono::hours(24)) return false;
  if (storage::ini::DryRun::Active()) return true;  // a dry run leaves every file as it was
  fs::create_directories(folder, error);
  std::ofstream{stamp};
  fs::last_write_time(stamp, fs::file_time_type::clock::now(), error);
  return true;
}

// The factory password still opens the settings file: say so on stderr, at
// most once a day.
void WarnOnFactoryPassword(const GlobalOptions& options) {
  au::Ref<au::Object> probe = CreateManager(m::AdminOfAdmin::kProgId);
  const std::string name = options.admin.empty() ? kFactoryName : options.admin;
  LetProperty(*probe, m::AdminOfAdmin::Administrator, au::FromUtf8(name));
  LetProperty(*probe, m::AdminOfAdmin::Password, au::FromUtf8(kFactoryPassword));
  if (au::ToBoolean(CallMethod(*probe, m::AdminOfAdmin::GetPublicDir)) && WarningDue()) {
    std::cerr << "vantrel: warning: the system administrator " << name
              << " still has the factory password; change it with `vantrel --admin " << name
              << " admins passwd` (this warning comes at most once a day)\n";
  }
}

int NoCallerName() {
  std::cerr << "vantrel: --admin (or VANTREL_ADMIN) must name the system administrator\n";
  return kUsageOrAutomationError;
}

int NoNewPassword() {
  std::cerr << "vantrel: no new password given (use --password-stdin, VANTREL_NEW_PASSWORD or a terminal)\n";
  return kUsageOrAutomationError;
}

int ListAdmins(const Request& q, const GlobalOptions& options) {
  if (options.admin.empty()) return NoCallerName();
  WarnOnFactoryPassword(options);
  au::Ref<au::Object> admins = NewAdminOfAdmin(options, CallerPassword(options, q.passwordStdin));
  if (!au::ToBoolean(CallMethod(*admins, m::AdminOfAdmin::GetAdminList)))
    return OperationOutcome(*admins, m::AdminOfAdmin::GetAdminList, false, options, "");
  json list = json::array();
  Table table{{"Name", "Domain", "Root folder"}, {}};
  if (q.showPasswords) table.header.push_back("Password");
  for (const auto& a : CollectionItems(*admins, m::AdminOfAdmin::Admin)) {
    const std::string name = StringProperty(*a, m::CAdmin::AdminName), root = StringProperty(*a, m::CAdmin::RootDir);
    const std::int16_t domain = au::ToInteger(GetProperty(*a, m::CAdmin::DomainID));
    json entry = {{"AdminName", name}, {"DomainID", domain}, {"RootDir", root}};
    std::vector<std::string> row{name, std::to_string(domain), root};
    if (q.showPasswords) {
      entry["AdminPassword"] = StringProperty(*a, m::CAdmin::AdminPassword);
      row.push_back(StringProperty(*a, m::CAdmin::AdminPassword));
    }
    list.push_back(entry);
    table.rows.push_back(std::move(row));
  }
  if (options.json) std::cout << list.dump(2) << '\n';
  else table.Print(std::cout);
  return kSuccess;
}

int AddAdmin(const Request& q, const GlobalOptions& options) {
  if (options.admin.empty()) return NoCallerName();
  WarnOnFactoryPassword(options);
  const std::string callerPassword = CallerPassword(options, q.passwordStdin);
  const std::optional<std::string> password = NewPassword(q.passwordStdin, q.name);
  if (!password) return NoNewPassword();
  au::Ref<au::Object> admins = NewAdminOfAdmin(options, callerPassword);
  const bool ok = au::ToBoolean(
      CallMethod(*admins, m::AdminOfAdmin::AddAdmin,
                 {au::FromUtf8(q.name), au::FromUtf8(*password), au::FromUtf8(q.domain), au::FromUtf8(q.rootDir)}));
  return OperationOutcome(*admins, m::AdminOfAdmin::AddAdmin, ok, options,
                          "Added domain administrator " + q.name + " (domain " + q.domain + ", root " + q.rootDir + ")");
}

int DeleteAdmin(const Request& q, const GlobalOptions& options) {
  if (options.admin.empty()) return NoCallerName();
  WarnOnFactoryPassword(options);
  au::Ref<au::Object> admins = NewAdminOfAdmin(options, CallerPassword(options, q.passwordStdin));
  const bool ok = au::ToBoolean(CallMethod(*admins, m::AdminOfAdmin::DelAdmin, {au::FromUtf8(q.name)}));
  return OperationOutcome(*admins, m::AdminOfAdmin::DelAdmin, ok, options, "Deleted domain administrator " + q.name);
}

int ChangePassword(const Request& q, const GlobalOptions& options) {
  if (options.admin.empty()) return NoCallerName();
  const std::string oldPassword = CallerPassword(options, q.passwordStdin);
  const std::string newName = q.newName.empty() ? options.admin : q.newName;
  const std::optional<std::string> password = NewPassword(q.passwordStdin, newName);
  if (!password) return NoNewPassword();
  au::Ref<au::Object> admins = CreateManager(m::AdminOfAdmin::kProgId);
  const bool ok = au::ToBoolean(CallMethod(
      *admins, m::AdminOfAdmin::ChangeSystemPassword,
      {au::FromUtf8(options.admin), au::FromUtf8(oldPassword), au::FromUtf8(newName), au::FromUtf8(*password)}));
  if (!ok && StringProperty(*admins, m::AdminOfAdmin::ErrorMsg).empty() && MissingSettingsFile().empty()) {
    // The operation leaves no message for wrong credentials.
    if (options.json) std::cout << json{{"ChangeSystemPassword", false}, {"ErrorMsg", ""}}.dump(2) << '\n';
    std::cerr << "vantrel: the system administrator's name or password is wrong\n";
    return kOperationFalse;
  }
  const int code = OperationOutcome(*admins, m::AdminOfAdmin::ChangeSystemPassword, ok, options,
                                    "Changed the system administrator to " + newName);
  if (ok && *password == kFactoryPassword) {
    std::cerr << "vantrel: warning: the new password is the factory password\n";
  }
  return code;
}

int ListPublicDirs(const Request& q, const GlobalOptions& options) {
  if (options.admin.empty()) return NoCallerName();
  WarnOnFactoryPassword(options);
  au::Ref<au::Object> admins = NewAdminOfAdmin(options, CallerPassword(options, q.passwordStdin));
  if (!au::ToBoolean(CallMethod(*admins, m::AdminOfAdmin::GetPublicDir)))
    return OperationOutcome(*admins, m::AdminOfAdmin::GetPublicDir, false, options, "");
  json list = json::array();
  Table table{{"#", "Directory"}, {}};
  for (const auto& d : CollectionItems(*admins, m::AdminOfAdmin::PublicDir)) {
    const std::string directory = StringProperty(*d, m::CPublicDir::Directory);
    list.push_back(directory);
    table.rows.push_back({std::to_string(table.rows.size() + 1), directory});
  }
  if (options.json) std::cout << list.dump(2) << '\n';
  else table.Print(std::cout);
  return kSuccess;
}

int ChangePublicDir(const Request& q, const GlobalOptions& options, bool add) {
  if (options.admin.empty()) return NoCallerName();
  WarnOnFactoryPassword(options);
  au::Ref<au::Object> admins = NewAdminOfAdmin(options, CallerPassword(options, q.passwordStdin));
  const bool ok = au::ToBoolean(CallMethod(*admins, add ? m::AdminOfAdmin::AddPublicDir : m::AdminOfAdmin::DelPublicDir,
                                           {au::FromUtf8(q.directory)}));
  return OperationOutcome(*admins, add ? m::AdminOfAdmin::AddPublicDir : m::AdminOfAdmin::DelPublicDir, ok, options,
                          (add ? "Added public directory " : "Deleted public directory ") + q.directory);
}

void AddPasswordStdin(CLI::App* command, const std::shared_ptr<Request>& q) {
  command->add_flag("--password-stdin", q->passwordStdin,
                    "read passwords from standard input, one per line: the caller's, then a new one");
}

}  // namespace

void AddAdminsCommand(CLI::App& app, GlobalOptions& options, int& result) {
  auto q = std::make_shared<Request>();

  auto* admins = app.add_subcommand("admins", "the library's domain administrators and the system password");
  admins->require_subcommand(1);
  auto* list = admins->add_subcommand("list", "list the domain administrators");
  list->add_flag("--show-passwords", q->showPasswords, "also show the stored (plain-text) passwords");
  AddPasswordStdin(list, q);
  list->callback([q, &options, &result] { result = RunGuarded([&] { return ListAdmins(*q, options); }); });

  auto* add = admins->add_subcommand("add", "add a domain administrator");
  add->add_option("name", q->name, "the administrator's name")->required();
  add->add_option("--domain", q->domain, "the domain number it may manage")->required();
  add->add_option("--root", q->rootDir, "its root folder, e.g. D:\\ftp\\sales")->required();
  AddPasswordStdin(add, q);
  add->callback([q, &options, &result] { result = RunGuarded([&] { return AddAdmin(*q, options); }); });

  auto* del = admins->add_subcommand("delete", "delete a domain administrator (name in any letter case)");
  del->add_option("name", q->name, "the administrator's name")->required();
  AddPasswordStdin(del, q);
  del->callback([q, &options, &result] { result = RunGuarded([&] { return DeleteAdmin(*q, options); }); });

  auto* passwd = admins->add_subcommand("passwd", "change the system administrator's password (and name)");
  passwd->add_option("--name", q->newName, "a new name for the system administrator");
  AddPasswordStdin(passwd, q);
  passwd->callback([q, &options, &result] { result = RunGuarded([&] { return ChangePassword(*q, options); }); });

  auto* dirs = app.add_subcommand("public-dirs", "folders every administrator may use");
  dirs->require_subcommand(1);
  auto* dirList = dirs->add_subcommand("list", "list the public directories");
  AddPasswordStdin(dirList, q);
  dirList->callback([q, &options, &result] { result = RunGuarded([&] { return ListPublicDirs(*q, options); }); });
  auto* dirAdd = dirs->add_subcommand("add", "add a public directory");
  dirAdd->add_option("dir", q->directory, "the folder, e.g. D:\\pub")->required();
  AddPasswordStdin(dirAdd, q);
  dirAdd->callback([q, &options, &result] { result = RunGuarded([&] { return ChangePublicDir(*q, options, true); }); });
  auto* dirDel = dirs->add_subcommand("delete", "delete a public directory (the rest are renumbered)");
  dirDel->add_option("dir", q->directory, "the folder as listed, in any letter case")->required();
  AddPasswordStdin(dirDel, q);
  dirDel->callback([q, &options, &result] { result = RunGuarded([&] { return ChangePublicDir(*q, options, false); }); });
}

}  // namespace vantrel::cli
