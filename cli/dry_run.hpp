#pragma once
// --dry-run: the command runs as usual, but every file it would write is
// caught by the storage layer's dry run (nothing is written, no lock file is
// made) and shown afterwards as a unified diff against the file on disk.
#include <filesystem>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "storage/ini/ini_transaction.hpp"

namespace vantrel::cli {

class DryRunReport {
 public:
  DryRunReport();
  // The folders that would be created, then one diff per changed file.
  // False when nothing would change.
  bool Print(std::ostream& out) const;

 private:
  std::map<std::filesystem::path, std::string> files_;  // last text handed over, per file
  std::vector<std::filesystem::path> folders_;
  storage::ini::DryRun dry_run_;
};

// A unified diff of `before` and `after` (whole-file texts) labelled with
// `label`; `existed` false labels the old side /dev/null. Empty when equal.
std::string UnifiedDiff(const std::string& label, bool existed, const std::string& before, const std::string& after);

}  // namespace vantrel::cli
