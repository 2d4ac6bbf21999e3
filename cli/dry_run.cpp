#include "dry_run.hpp"

#include <dtl/dtl.hpp>

#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;

// Lines without their "\n" (a "\r" before it stays, so the diff applies to
// the file's own bytes); a last line without one counts.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

DryRunReport::DryRunReport()
    : dry_run_([this](const fs::path& file, const std::string& text) { files_[file] = text; },
               [this](const fs::path& folder) { folders_.push_back(folder); }) {}

bool DryRunReport::Print(std::ostream& out) const {
  for (const fs::path& folder : folders_) out << "would create the folder " << folder.string() << '\n';
  bool changed = false;
  for (const auto& [file, text] : files_) {
    std::error_code error;
    const bool existed = fs::exists(file, error);
    std::ifstream in(file, std::ios::binary);
    const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string diff = UnifiedDiff(file.string(), existed, before, text);
    out << diff;
    changed = changed || !diff.empty();
  }
  return changed || !folders_.empty();
}

std::string UnifiedDiff(const std::string& label, bool existed, const std::string& before, const std::string& after) {
  if (existed && before == after) return {};
  const std::vector<std::string> a = Lines(before), b = Lines(after);
  dtl::Diff<std::string, std::vector<std::string>> diff(a, b);
  diff.onHuge();  // big server files: bounded memory
  diff.compose();
  diff.composeUnifiedHunks();
  std::ostringstream out;
  out << "--- " << (existed ? label : "/dev/null") << "\n+++ " << label << '\n';
  diff.printUnifiedFormat(out);
  std::string text = out.str();
  // A new file's hunk starts before line 1, as diff and patch write it.
  if (const auto hunk = text.find("\n@@ -1,0 "); !existed && hunk != std::string::npos) text[hunk + 5] = '0';
  return text;
}

}  // namespace vantrel::cli
