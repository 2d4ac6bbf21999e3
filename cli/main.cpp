// vantrel: the command-line front end of the library.
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include <iostream>

#include "cli_support.hpp"
#include "commands.hpp"
#include "dry_run.hpp"
#include "storage/paths.hpp"

namespace {

std::string EnvOr(const char* name, std::string fallback = {}) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : fallback;
}

std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// True when `word` is the value of the option just before it.
bool IsOptionValue(CLI::App* app, const std::string& previous) {
  if (previous.rfind("--", 0) != 0 || previous.find('=') != std::string::npos) return false;
  for (; app; app = app->get_parent())
    if (const CLI::Option* option = app->get_option_no_throw(previous)) return option->get_expected_min() > 0;
  return false;
}

// For a word that is not a subcommand where one is wanted: the error naming
// it, with the nearest subcommand's name. Empty when all words are known.
std::string UnknownSubcommand(CLI::App& app, int argc, char** argv) {
  CLI::App* current = &app;
  std::string path = "vantrel";
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.empty() || word[0] == '-' || IsOptionValue(current, argv[i - 1])) continue;
    const auto subcommands = current->get_subcommands([](CLI::App*) { return true; });
    if (subcommands.empty()) return {};
    auto match = std::find_if(subcommands.begin(), subcommands.end(), [&](CLI::App* s) { return s->get_name() == word; });
    if (match != subcommands.end()) {
      current = *match;
      path += " " + word;
      continue;
    }
    std::string nearest;
    std::size_t best = 3;  // at most two letters off
    for (CLI::App* s : subcommands)
      if (const std::size_t d = Distance(word, s->get_name()); d < best) best = d, nearest = s->get_name();
    return "unknown command '" + word + "' for `" + path + "`" +
           (nearest.empty() ? "" : "; did you mean `" + path + " " + nearest + "`?") + " (`" + path +
           " --help` lists the commands)";
  }
  return {};
}

// A root made before the Windows folder moved under drive C: still works,
// but new accounts would get host paths in the server file; say how to move it.
void WarnOnLegacyWindowsFolder() {
  const std::filesystem::path legacy = vantrel::storage::LegacyWindowsFolder();
  if (legacy.empty()) return;
  const std::filesystem::path drive = vantrel::storage::SystemRoot() / "drives" / "c";
  std::cerr << "vantrel: warning: this root keeps the Windows folder in " << legacy.string()
            << ", so paths written into ServUDaemon.ini would be host paths; move it to C:\\Windows with\n"
            << "  mkdir -p " << drive.string() << " && mv " << legacy.string() << " " << (drive / "Windows").string()
            << '\n';
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
  app.add_flag("--dry-run", options.dryRun,
               "write nothing; print the unified diff of each file the command would write");
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
  std::unique_ptr<DryRunReport> dryRun;
  app.parse_complete_callback([&options, &dryRun] {
    UseJsonErrors(options.json);
    if (options.dryRun && options.json)
      throw CLI::ValidationError("--dry-run", "prints a diff for people; use it without --json");
    if (!options.root.empty()) ::setenv("VANTREL_ROOT", options.root.c_str(), 1);
    if (options.dryRun) dryRun = std::make_unique<DryRunReport>();
    WarnOnLegacyWindowsFolder();
  });

  int result = kSuccess;
  for (auto add : {AddInitCommand, AddIniCommand, AddServerCommands, AddDomainsCommand, AddUsersCommand, AddAdminsCommand,
                   AddBrowseCommands, AddCallCommand})
    add(app, options, result);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() != 0) {
      if (const std::string unknown = UnknownSubcommand(app, argc, argv); !unknown.empty()) {
        UseJsonErrors(std::any_of(argv + 1, argv + argc, [](const char* a) { return a == std::string("--json"); }));
        PrintError(unknown);
        return kUsageOrAutomationError;
      }
    }
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
  if (dryRun && !dryRun->Print(std::cout) && result == kSuccess)
    std::cerr << "vantrel: dry run: no file would change\n";
  return result;
}
