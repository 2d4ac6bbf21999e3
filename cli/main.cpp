// vantrel: the command-line front end of the library.
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string>
#include <iostream>

#include "cli_support.hpp"
#include "commands.hpp"

namespace {

std::string EnvOr(const char* name, std::string fallback = {}) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vantrel::cli;
  CLI::App app{"vantrel - manage an FTP server's ServUDaemon.ini and the library's own settings", "vantrel"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "vantrel " VANTREL_VERSION);
  GlobalOptions options;
  options.root = EnvOr("VANTREL_ROOT");
  options.servuPath = EnvOr("SERVU_PATH");
  options.admin = EnvOr("VANTREL_ADMIN");
  app.add_option("--root", options.root, "system root of the platform stand-ins (default /var/lib/vantrel)");
  app.add_option("--servu-path", options.servuPath, "the FTP server's folder, holding ServUDaemon.ini");
  app.add_option("--admin", options.admin, "administrator name for operations that need rights");
  app.add_flag("--json", options.json, "print results as JSON (errors as a JSON object on standard error)");
  app.footer(
      "Global options may stand anywhere on the line. Environment: VANTREL_ROOT (the system root), SERVU_PATH (the\n"
      "FTP server's folder), VANTREL_ADMIN (--admin), VANTREL_PASSWORD (the administrator's password; else\n"
      "--password-stdin or a prompt), VANTREL_NEW_PASSWORD and VANTREL_USER_PASSWORD (new passwords).\n"
      "Exit status: 0 done, 1 the operation failed or was refused, 2 usage or automation error.");
  // Subcommands hand the options they do not know to the main command, so
  // `vantrel users list --json` works as `vantrel --json users list`.
  app.fallthrough();

  // The library finds its system root in VANTREL_ROOT; --root moves it for
  // this run before any command callback touches the library.
  app.parse_complete_callback([&options] {
    UseJsonErrors(options.json);
    if (!options.root.empty()) ::setenv("VANTREL_ROOT", options.root.c_str(), 1);
  });

  int result = kSuccess;
  for (auto add : {AddInitCommand, AddIniCommand, AddServerCommands, AddDomainsCommand, AddUsersCommand, AddAdminsCommand,
                   AddBrowseCommands, AddCallCommand})
    add(app, options, result);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Parsing stopped early, so --json may not be set yet: look for it.
    if (e.get_exit_code() != 0 && std::any_of(argv + 1, argv + argc, [](const char* a) { return a == std::string("--json"); })) {
      UseJsonErrors(true);
      PrintError(e.what());
      return kUsageOrAutomationError;
    }
    const int code = app.exit(e);
    return code == 0 ? kSuccess : kUsageOrAutomationError;
  } catch (const std::exception& e) {
    PrintError(e.what());
    return kUsageOrAutomationError;
  }
  return result;
}
