#include "case_file.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace vantrel::testing {
namespace {

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// "AddDomain takes the smallest ID" -> "AddDomainTakesTheSmallestID".
std::string TitleName(const std::string& title) {
  std::string name;
  bool upper = true;
  for (unsigned char c : title) {
    if (!std::isalnum(c)) {
      upper = true;
      continue;
    }
    name += upper ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
    upper = false;
  }
  return name.substr(0, 80);
}

class Reader {
 public:
  Reader(const std::filesystem::path& file, const std::string& prefix) : file_(file), prefix_(prefix) {}

  void Read(std::vector<Case>& out) {
    std::ifstream in(file_, std::ios::binary);
    std::string line;
    int number = 0;
    Case* current = &common_;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (StartsWith(line, "=== ")) {
        Close(*current);
        out.push_back(common_);
        current = &out.back();
        current->name = prefix_ + "_" + TitleName(line.substr(4));
        current->where = file_.string() + ":" + std::to_string(number);
        block_.clear();
      } else if (StartsWith(line, "--- ")) {
        Close(*current);
        Open(*current, line.substr(4), number);
      } else if (block_ == "calls") {
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#') continue;
        if (first > 0 && !current->calls.empty()) current->calls.back().rows.push_back(line.substr(first));
        else current->calls.push_back({number, line, {}});
      } else if (!block_.empty()) {
        lines_.push_back(line);
      } else if (!line.empty() && line[0] != '#') {
        current->error += "line " + std::to_string(number) + ": text outside a block\n";
      }
    }
    Close(*current);
  }

 private:
  void Open(Case& c, const std::string& header, int number) {
    std::istringstream in(header);
    const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    block_ = words.empty() ? "?" : words[0];
    after_ = std::find(words.begin(), words.end(), "after") != words.end();
    absent_ = std::find(words.begin(), words.end(), "absent") != words.end();
    static const std::set<std::string> known{"calls", "disk", "locale", "ServUDaemon.ini", "Vantrel.ini"};
    if (!known.count(block_)) c.error += "line " + std::to_string(number) + ": unknown block " + block_ + "\n";
  }

  void Close(Case& c) {
    while (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
    if (block_ == "disk") {
      (after_ ? c.diskAfter : c.disk) = lines_;
    } else if (block_ == "locale") {
      c.locale = lines_.empty() ? "" : lines_[0];
    } else if (block_ != "calls" && !block_.empty() && block_ != "?") {
      FileState state{absent_, {}};
      for (const std::string& l : lines_) state.bytes += l + "\r\n";
      (after_ ? c.after : c.before)[block_] = state;
    }
    lines_.clear();
    block_.clear();
  }

  std::filesystem::path file_;
  std::string prefix_;
  Case common_;  // blocks before the first case: every case of the file starts from them
  std::string block_;
  bool after_ = false, absent_ = false;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<Case> ReadCases(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.path().extension() == ".case") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<Case> cases;
  for (const auto& file : files) {
    const std::string prefix = file.parent_path().filename().string() + "_" + file.stem().string();
    Reader(file, prefix).Read(cases);
  }
  std::set<std::string> seen;
  for (Case& c : cases)
    if (!seen.insert(c.name).second) c.error += "a case of the same name comes before\n";
  return cases;
}

}  // namespace vantrel::testing
