#include "temp_root.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

// The Windows build of the storage tests (run under Wine) has no mkdtemp or setenv.
namespace {
char* mkdtemp(char* pattern) {
  char* x = pattern + std::string_view(pattern).rfind("XXXXXX");
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    std::snprintf(x, 7, "%06lx", (GetCurrentProcessId() * 7919ul + GetTickCount() + attempt) & 0xfffffful);
    if (CreateDirectoryA(pattern, nullptr)) return pattern;
  }
  return nullptr;
}
int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
int unsetenv(const char* name) { return _putenv_s(name, ""); }
}  // namespace
#endif

namespace vantrel::testing {

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TempRoot::TempRoot() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  top_ = pattern;
  root_ = top_ / "root";
  cwd_ = top_ / "cwd";
  std::filesystem::create_directories(WindowsFolder());
  std::filesystem::create_directories(cwd_);
  savedCwd_ = std::filesystem::current_path();
  std::filesystem::current_path(cwd_);
  if (const char* old = std::getenv("VANTREL_ROOT")) savedRoot_ = old, hadRoot_ = true;
  ::setenv("VANTREL_ROOT", root_.string().c_str(), 1);
}

TempRoot::~TempRoot() {
  std::error_code ignored;
  std::filesystem::current_path(savedCwd_, ignored);
  hadRoot_ ? ::setenv("VANTREL_ROOT", savedRoot_.c_str(), 1) : ::unsetenv("VANTREL_ROOT");
  std::filesystem::remove_all(top_, ignored);
}

std::filesystem::path TempRootTest::MakeFile(const std::filesystem::path& path, std::string_view bytes) const {
  const std::filesystem::path full = path.is_absolute() ? path : top_ / path;
  WriteBytes(full, bytes);
  return full;
}

}  // namespace vantrel::testing
