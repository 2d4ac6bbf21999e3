// vantrel version | reload | role [--domain N]
//
// version: the FTP server's version from ServUDaemon.ini and the library's
// identification (Global); reload: the ReloadSettings signal (Domains.Reload);
// role: what the --admin credentials may do in a domain (User.GetRole).
#include <iostream>
#include <memory>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "cli_support.hpp"
#include "model/names.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
using nlohmann::json;

int Version(const GlobalOptions& options) {
  au::Ref<au::Object> global = CreateManager(m::Global::kProgId);
  SetServUPath(*global, options);
  const std::string version = StringProperty(*global, m::Global::Version);
  const std::string about = StringProperty(*global, m::Global::About);
  const std::string message = StringProperty(*global, m::Global::ErrorMsg);
  if (options.json) {
    std::cout << json{{"Version", version}, {"About", about}, {"ErrorMsg", message}}.dump(2) << '\n';
  } else {
    std::cout << "Server version: " << version << '\n' << "Library:        " << about << '\n';
  }
  if (message.empty()) return kSuccess;
  return OperationOutcome(*global, m::Global::Version, false,
                          GlobalOptions{options.root, options.servuPath, options.admin, false}, "");
}

int Reload(const GlobalOptions& options) {
  au::Ref<au::Object> domains = CreateManager(m::Domains::kProgId);
  SetServUPath(*domains, options);
  const bool ok = au::ToBoolean(CallMethod(*domains, m::Domains::Reload));
  return OperationOutcome(*domains, m::Domains::Reload, ok, options,
                          "Asked the FTP server to reload (ReloadSettings=true)");
}

const char* RoleName(int role) {
  switch (role) {
    case 0: return "system administrator";
    case 1: return "domain administrator";
    default: return "no rights";
  }
}

int Role(const GlobalOptions& options, const std::string& domain, bool passwordStdin) {
  au::Ref<au::Object> user = CreateManager(m::User::kProgId);
  SetServUPath(*user, options);
  SetCredentials(*user, options, CredentialsPassword(options, passwordStdin));
  const int role = au::ToInteger(CallMethod(*user, m::User::GetRole, {au::FromUtf8(domain)}));
  if (options.json) {
    std::cout << json{{"GetRole", role}, {"RoleName", RoleName(role)}}.dump(2) << '\n';
  } else {
    std::cout << role << " " << RoleName(role) << '\n';
  }
  return kSuccess;
}

}  // namespace

void AddServerCommands(CLI::App& app, GlobalOptions& options, int& result) {
  app.add_subcommand("version", "the FTP server's version and the library's identification")
      ->callback([&options, &result] { result = RunGuarded([&] { return Version(options); }); });

  app.add_subcommand("reload", "ask the running FTP server to read ServUDaemon.ini again")
      ->callback([&options, &result] { result = RunGuarded([&] { return Reload(options); }); });

  auto domain = std::make_shared<std::string>("1");
  auto passwordStdin = std::make_shared<bool>(false);
  auto* role = app.add_subcommand("role", "the role of the --admin credentials: 0 system, 1 domain administrator, 2 none");
  role->add_option("--domain", *domain, "domain ID (default 1)");
  role->add_flag("--password-stdin", *passwordStdin, "read the password from the first line of standard input");
  role->callback([domain, passwordStdin, &options, &result] {
    result = RunGuarded([&] { return Role(options, *domain, *passwordStdin); });
  });
}

}  // namespace vantrel::cli
