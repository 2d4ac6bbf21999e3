#pragma once
// The INI engine against kernel32's profile functions, in one Win32 process.
//
// A case is a starting file and a list of operations. The runner applies each
// operation through kernel32 to one copy of the file and through the engine to
// another, then compares the results (return value and the whole buffer, with
// guard bytes) and the files: byte for byte when kernel32 left its file alone,
// else the engine's file in the form Wine re-serialises files to (Wine
// rewrites every line on a change; the engine keeps untouched lines).
//
// Where Wine is known to differ from Windows, an operation carries the
// documented difference: its kernel32 result is not compared, but the
// engine's result is checked against what Windows gives.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace compare {

enum class OpKind { GetString, GetInt, GetSection, WriteString, WriteSection };

struct Op {
  OpKind kind = OpKind::GetString;
  std::optional<std::string> section;
  std::optional<std::string> key;
  std::optional<std::string> text;  // default (reads), value (writes), NUL-separated body (section writes)
  std::int32_t int_default = 0;
  std::uint32_t size = 256;
  // A documented Wine/Windows difference: the kernel32 result is not compared.
  std::string known_difference;
  // What the engine must give (what Windows gives, or the engine's deliberate
  // answer): the returned text (reads), the number (GetInt) or "1"/"0" (writes).
  std::optional<std::string> windows_result;
  // The engine's file after the step, when a known difference makes the files differ.
  std::optional<std::string> windows_file;
};

struct Case {
  std::string name;
  std::optional<std::string> content;  // nullopt: the file does not exist
  std::vector<Op> ops;
  bool path_is_folder = false;
};

struct Tally {
  long steps = 0;
  long compared = 0;
  long known = 0;
  long failures = 0;
  std::vector<std::string> messages;
  void Fail(std::string message);
};

// Runs a case in `folder` (an existing empty folder); adds to the tally.
void RunCase(const Case& c, const std::string& folder, Tally& tally);

// A case file (cases/README.md): its directed cases, and the word lists
// (start, section, body_section, key, value, default) of the random sequences.
struct CaseFile {
  std::vector<Case> cases;
  std::map<std::string, std::vector<std::string>> words;
};
CaseFile ReadCaseFile(const std::string& path);
std::vector<Case> RandomCases(const CaseFile& file, std::uint32_t seed, int cases, int steps_per_case, bool double_byte);

// A file's bytes in the form Wine writes a changed file.
std::string WineNormalise(const std::string& bytes);

// Shorthands for writing cases.
Case Make(std::string name, std::optional<std::string> content, std::vector<Op> ops);
Op Get(std::optional<std::string> section, std::optional<std::string> key, std::optional<std::string> def = "dflt",
       std::uint32_t size = 256);
Op GetInt(std::optional<std::string> section, std::optional<std::string> key, std::int32_t def = -7);
Op GetSec(std::optional<std::string> section, std::uint32_t size = 512);
Op Put(std::optional<std::string> section, std::optional<std::string> key, std::optional<std::string> value);
Op PutSec(std::optional<std::string> section, std::optional<std::string> body);
Op Known(Op op, std::string difference, std::optional<std::string> windows_result = std::nullopt);

std::string Printable(const std::string& bytes);

}  // namespace compare
