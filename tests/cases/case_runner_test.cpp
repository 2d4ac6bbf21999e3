// Runs the golden cases: lays down the files before, makes the calls through
// the runtime by ProgID and member name as a page does, and compares the
// results and the files after. One test per case.
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "automation/error.hpp"
#include "automation/text.hpp"
#include "call_line.hpp"
#include "case_file.hpp"
#include "scoped_locale.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {
namespace {

namespace au = automation;
namespace fs = std::filesystem;
using au::Variant;

// The factory settings with a fixed salt: Vantrel / KelpMoor, public directory C:\Vantrel.
constexpr char kSettings[] =
    "[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n"
    "[PublicDir]\r\ndir1=C:\\Vantrel\r\n";

// Empty when the texts match, where "{any}" in the expected one stands for
// any run of characters within a line (a salted password); else both texts.
std::string Diff(const std::string& expected, const std::string& actual) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])"), any(R"(\\\{any\\\})");
  const std::string pattern = std::regex_replace(std::regex_replace(expected, special, R"(\$&)"), any, "[^\n]*");
  if (expected.find("{any}") == std::string::npos ? expected == actual : std::regex_match(actual, std::regex(pattern)))
    return "";
  return "expected:\n" + expected + "\nactual:\n" + actual;
}

// X:\rest -> <root>/drives/x/rest, letter for letter (the library's own
// mapping would find an existing name in another letter case).
fs::path DrivePath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return fs::path(std::getenv("VANTREL_ROOT")) / "drives" / std::string(1, static_cast<char>(std::tolower(path[0]))) /
         path.substr(std::min<std::size_t>(3, path.size()));
}

// "D:\dir\" a folder; "D:\file SIZE [@YYYY-MM-DD HH:MM:SS]" a file (UTC time).
void MakeEntry(const std::string& entry) {
  std::istringstream in(entry);
  std::string path, size, at;
  in >> path >> size;
  std::getline(in, at);
  const fs::path native = DrivePath(path);
  if (path.back() == '\\') return fs::create_directories(native), void();
  WriteBytes(native, "");
  if (!size.empty()) fs::resize_file(native, std::stoull(size));
  if (const auto mark = at.find('@'); mark != std::string::npos) {
    std::tm t{};
    std::istringstream(at.substr(mark + 1)) >> std::get_time(&t, "%Y-%m-%d %H:%M:%S");
    const timespec times[2] = {{::timegm(&t), 0}, {::timegm(&t), 0}};
    ::utimensat(AT_FDCWD, native.c_str(), times, 0);
  }
}

std::string CheckEntry(const std::string& entry) {
  const bool missing = entry[0] == '!';
  std::istringstream in(entry.substr(missing));
  std::string path, size;
  in >> path >> size;
  const fs::path native = DrivePath(path);
  if (missing) return fs::exists(native) ? entry + ": exists\n" : "";
  if (path.back() == '\\') return fs::is_directory(native) ? "" : entry + ": no such folder\n";
  if (!fs::is_regular_file(native)) return entry + ": no such file\n";
  return size.empty() || fs::file_size(native) == std::stoull(size) ? "" : entry + ": other size\n";
}

class CaseTest : public ::testing::TestWithParam<Case> {};

TEST_P(CaseTest, Runs) {
  const Case& c = GetParam();
  ASSERT_TRUE(c.error.empty()) << c.where << "\n" << c.error;
  ::setenv("TZ", "JST-9", 1);  // results do not depend on the local time zone
  ::tzset();
  std::optional<storage::testing::ScopedLocale> locale;
  if (!c.locale.empty()) locale.emplace(c.locale.c_str());
  TempRoot temp;
  const fs::path servu = temp.top() / "servu";
  const std::map<std::string, fs::path> files{{"ServUDaemon.ini", servu / "ServUDaemon.ini"},
                                              {"Vantrel.ini", temp.WindowsFolder() / "Vantrel.ini"}};
  for (const char letter : {'c', 'd', 'e'}) fs::create_directories(temp.path() / "drives" / std::string(1, letter));
  fs::create_directories(servu);
  fs::current_path(servu);
  // $SERVU and $ROOT stand for the case's folders.
  const auto Expand = [&](std::string text) {
    for (const auto& [mark, value] : {std::pair{std::string("$SERVU"), servu.string()},
                                      std::pair{std::string("$ROOT"), temp.path().string()}})
      for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
        text.replace(at, mark.size(), value);
    return text;
  };
  std::map<std::string, FileState> before{{"ServUDaemon.ini", {}}, {"Vantrel.ini", {false, kSettings}}};
  for (const auto& [name, state] : c.before) before[name] = state;
  for (const auto& [name, state] : before)
    if (!state.absent) WriteBytes(files.at(name), Expand(state.bytes));
  for (const std::string& entry : c.disk) MakeEntry(entry);

  std::map<std::string, Variant> vars;
  for (const CallLine& call : c.calls) {
    std::string problem;
    try {
      problem = RunCallLine(Expand(call.text), call.rows, vars);
    } catch (const au::AutomationError& e) {
      problem = "unexpected error " + std::to_string(e.Number()) + ": " + au::ToUtf8(e.Description());
    } catch (const std::exception& e) {
      problem = e.what();
    }
    EXPECT_TRUE(problem.empty()) << c.where << " line " << call.line << ": " << call.text << "\n  " << problem;
  }
  vars.clear();

  for (const auto& [name, path] : files) {
    const FileState& want = c.after.count(name) ? c.after.at(name) : before.at(name);
    if (want.absent) {
      EXPECT_FALSE(fs::exists(path)) << c.where << ": " << name << " exists";
    } else {
      const std::string diff = Diff(Expand(want.bytes), ReadBytes(path));
      EXPECT_TRUE(diff.empty()) << c.where << ": " << name << " after the calls\n" << diff;
    }
  }
  std::string disk;
  for (const std::string& entry : c.diskAfter) disk += CheckEntry(entry);
  EXPECT_TRUE(disk.empty()) << c.where << ": disk after the calls\n" << disk;
}

INSTANTIATE_TEST_SUITE_P(Golden, CaseTest, ::testing::ValuesIn(ReadCases(VANTREL_CASES_DIR)),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace vantrel::testing
