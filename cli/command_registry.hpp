#pragma once
// Each command file registers itself at static-initialisation time, so adding
// a command means adding one file: main.cpp never changes.
#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace vantrel::cli {

struct GlobalOptions {
  std::string root;        // --root, else VANTREL_ROOT
  std::string servuPath;   // --servu-path, else SERVU_PATH, else the current folder
  std::string admin;       // --admin, else VANTREL_ADMIN
  bool json = false;       // --json
};

// Exit codes of the tool.
enum ExitCode : int { kSuccess = 0, kOperationFalse = 1, kUsageOrAutomationError = 2 };

// A command adds its subcommand to the app; the callback it installs returns
// the exit code through `result`.
using CommandInstaller = std::function<void(CLI::App& app, GlobalOptions& options, int& result)>;

bool RegisterCommand(int order, CommandInstaller installer);
void InstallCommands(CLI::App& app, GlobalOptions& options, int& result);

}  // namespace vantrel::cli
