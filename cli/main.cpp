// vantrel: the command-line front end of the library.
#include <cstdlib>
#include <exception>
#include <iostream>

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
  app.add_flag("--json", options.json, "print results as JSON");

  // The library finds its system root in VANTREL_ROOT; --root moves it for
  // this run before any command callback touches the library.
  app.parse_complete_callback([&options] {
    if (!options.root.empty()) ::setenv("VANTREL_ROOT", options.root.c_str(), 1);
  });

  int result = kSuccess;
  for (auto add : {AddInitCommand, AddIniCommand, AddServerCommands, AddDomainsCommand, AddUsersCommand, AddAdminsCommand,
                   AddBrowseCommands, AddCallCommand})
    add(app, options, result);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kSuccess : kUsageOrAutomationError;
  } catch (const std::exception& e) {
    std::cerr << "vantrel: " << e.what() << '\n';
    return kUsageOrAutomationError;
  }
  return result;
}
