#pragma once
// Golden cases: the files before, the calls and their expected results, the
// files after (tests/cases/README.md describes the syntax; the wizard's cases
// use the calls block alone).
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel::testing {

// One file of a case: absent, or these bytes (each line ended by CRLF).
struct FileState {
  bool absent = false;
  std::string bytes;
};

struct CallLine {
  int line = 0;
  std::string text;
  std::vector<std::string> rows;  // the indented lines below it: what the call must give
};

struct Case {
  std::string name;    // test name: area_file_title
  std::string where;   // file:line of the case header
  std::string error;   // a syntax error of the case file
  std::map<std::string, FileState> before, after;  // by file name (ServUDaemon.ini, Vantrel.ini)
  std::vector<std::string> disk, diskAfter;
  std::string locale;  // LC_ALL for the case (its code page), empty for the process's
  std::vector<CallLine> calls;
};

// Test output names a case by where it is.
inline void PrintTo(const Case& c, std::ostream* out) { *out << c.where; }

// The cases of every *.case file below `folder`, in file and name order.
std::vector<Case> ReadCases(const std::filesystem::path& folder);

}  // namespace vantrel::testing
