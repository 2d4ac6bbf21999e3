// ini_kernel32_compare CASE_FILE [SEED [CASES [STEPS]]]: runs the rule cases
// of the file and the seeded random sequences; prints every unexpected
// difference; exit 1 if any.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "compare.hpp"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: ini_kernel32_compare CASE_FILE [SEED [CASES [STEPS]]]\n", stderr);
    return 2;
  }
  const std::uint32_t seed = argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 20261207u;
  const int random_count = argc > 3 ? std::atoi(argv[3]) : 300;
  const int steps = argc > 4 ? std::atoi(argv[4]) : 25;
  const bool double_byte = GetACP() == 932;
  compare::CaseFile file;
  std::vector<compare::Case> random_cases;
  try {
    file = compare::ReadCaseFile(argv[1]);
    random_cases = compare::RandomCases(file, seed, random_count, steps, double_byte);
  } catch (const std::exception& e) {
    std::printf("DIFF cannot read the cases: %s\n", e.what());
    return 1;
  }

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string root = std::string(temp) + "vantrel-ini-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(root.c_str(), nullptr);

  compare::Tally rules, random;
  int n = 0;
  std::printf("ANSI code page %u\n", GetACP());
  for (const compare::Case& c : file.cases) {
    const std::string folder = root + "\\r" + std::to_string(++n);
    CreateDirectoryA(folder.c_str(), nullptr);
    compare::RunCase(c, folder, rules);
  }
  for (const compare::Case& c : random_cases) {
    const std::string folder = root + "\\x" + std::to_string(++n);
    CreateDirectoryA(folder.c_str(), nullptr);
    compare::RunCase(c, folder, random);
  }
  for (const auto* t : {&rules, &random}) {
    for (const std::string& m : t->messages) std::printf("DIFF %s\n", m.c_str());
  }
  std::printf("rule cases: %ld steps, %ld compared, %ld known Wine/Windows differences, %ld failures\n", rules.steps,
              rules.compared, rules.known, rules.failures);
  std::printf("random (seed %u): %ld steps, %ld compared, %ld failures\n", seed, random.steps, random.compared,
              random.failures);
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return (rules.failures + random.failures) == 0 ? 0 : 1;
}
