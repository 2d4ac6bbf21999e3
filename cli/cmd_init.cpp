// vantrel init
//
// The first step on a new machine: creates the library's settings file with
// the factory system administrator (and the welcome file), through the same
// initialisation that the first added account would run. An existing file is
// left as it is. Prints who the factory administrator is and how to change
// its password.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "admin/settings_file.hpp"
#include "admin/settings_init.hpp"
#include "automation/text.hpp"
#include "cli_support.hpp"

namespace vantrel::cli {
namespace {

using nlohmann::json;

int Init(const GlobalOptions& options) {
  const std::filesystem::path file = admin::SettingsNativePath();
  std::error_code error;
  const bool existed = std::filesystem::exists(file, error);
  admin::EnsureSettingsFiles();
  const auto* dryRun = storage::ini::DryRun::Active();
  if (!std::filesystem::exists(file, error) && !(dryRun && dryRun->Written(file))) {
    std::cerr << "vantrel: could not create the settings file " << file.string()
              << "; check that its folder is writable, or choose another system root with --root or VANTREL_ROOT\n";
    return kOperationFalse;
  }
  const std::string administrator = automation::ToUtf8(admin::kDefaultAdministrator);
  if (options.json) {
    std::cout << json{{"SettingsFile", file.string()}, {"Created", !existed}, {"Administrator", administrator}}.dump(2)
              << '\n';
    return kSuccess;
  }
  if (existed) {
    std::cout << "The settings file " << file.string() << " exists already; nothing was changed.\n";
    return kSuccess;
  }
  std::cout << (dryRun ? "Would create the settings file " : "Created the settings file ") << file.string() << ".\n"
            << "The system administrator is " << administrator << " with the factory password "
            << automation::ToUtf8(admin::kDefaultPassword) << ".\n"
            << "Change that password now:\n"
            << "  vantrel --admin " << administrator << " admins passwd\n";
  return kSuccess;
}

}  // namespace

void AddInitCommand(CLI::App& app, GlobalOptions& options, int& result) {
  app.add_subcommand("init", "first run: create the settings file with the factory system administrator")
      ->callback([&options, &result] { result = RunGuarded([&] { return Init(options); }); });
}

}  // namespace vantrel::cli
