#include "temp_root.hpp"

#include <cstdlib>
#include <random>
#include <sstream>

namespace vantrel::storage::testing {

void TempRootTest::SetUp() {
  std::random_device entropy;
  top_ = std::filesystem::temp_directory_path() / ("vantrel-foundation-" + std::to_string(entropy()));
  root_ = top_ / "root";
  cwd_ = top_ / "cwd";
  std::filesystem::create_directories(root_);
  std::filesystem::create_directories(cwd_);
  savedCwd_ = std::filesystem::current_path();
  std::filesystem::current_path(cwd_);
  if (const char* old = std::getenv("VANTREL_ROOT")) {
    hadRoot_ = true;
    savedRoot_ = old;
  }
  ::setenv("VANTREL_ROOT", root_.c_str(), 1);
}

void TempRootTest::TearDown() {
  std::filesystem::current_path(savedCwd_);
  if (hadRoot_) {
    ::setenv("VANTREL_ROOT", savedRoot_.c_str(), 1);
  } else {
    ::unsetenv("VANTREL_ROOT");
  }
  std::error_code ec;
  std::filesystem::remove_all(top_, ec);
}

std::filesystem::path TempRootTest::MakeFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path full = path.is_absolute() ? path : top_ / path;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return full;
}

std::string TempRootTest::ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace vantrel::storage::testing
