#include "command_registry.hpp"

#include <algorithm>
#include <utility>

namespace vantrel::cli {
namespace {

struct Entry {
  int order;
  CommandInstaller installer;
};

std::vector<Entry>& Registry() {
  static std::vector<Entry> entries;
  return entries;
}

}  // namespace

bool RegisterCommand(int order, CommandInstaller installer) {
  Registry().push_back({order, std::move(installer)});
  return true;
}

void InstallCommands(CLI::App& app, GlobalOptions& options, int& result) {
  auto& entries = Registry();
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.order < b.order; });
  for (auto& entry : entries) entry.installer(app, options, result);
}

}  // namespace vantrel::cli
