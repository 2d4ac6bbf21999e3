#pragma once
// The tool's commands, one file each. main.cpp adds them in the order that
// `vantrel --help` lists them.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace vantrel::cli {

struct GlobalOptions {
  std::string root;        // --root, else VANTREL_ROOT
  std::string servuPath;   // --servu-path, else SERVU_PATH, else the current folder
  std::string admin;       // --admin, else VANTREL_ADMIN
  bool json = false;       // --json
  bool dryRun = false;     // --dry-run
};

// Exit codes of the tool.
enum ExitCode : int { kSuccess = 0, kOperationFalse = 1, kUsageOrAutomationError = 2 };

// Each adds its subcommands to the app; their callbacks return the exit code
// through `result`.
void AddInitCommand(CLI::App& app, GlobalOptions& options, int& result);
void AddIniCommand(CLI::App& app, GlobalOptions& options, int& result);
void AddServerCommands(CLI::App& app, GlobalOptions& options, int& result);  // version, reload, role
void AddDomainsCommand(CLI::App& app, GlobalOptions& options, int& result);
void AddUsersCommand(CLI::App& app, GlobalOptions& options, int& result);
void AddAdminsCommand(CLI::App& app, GlobalOptions& options, int& result);
void AddBrowseCommands(CLI::App& app, GlobalOptions& options, int& result);  // browse, mkdir
void AddCallCommand(CLI::App& app, GlobalOptions& options, int& result);

}  // namespace vantrel::cli
