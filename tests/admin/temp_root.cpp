#include "temp_root.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vantrel::testing {

TempRoot::TempRoot() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-admin-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::filesystem::create_directories(WindowsFolder());
  ::setenv("VANTREL_ROOT", root_.c_str(), 1);
}

TempRoot::~TempRoot() {
  ::unsetenv("VANTREL_ROOT");
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void TempRoot::WriteSettings(const std::string& bytes) const {
  std::ofstream(WindowsFolder() / "Vantrel.ini", std::ios::binary) << bytes;
}

std::string TempRoot::ReadSettings() const {
  std::ifstream in(WindowsFolder() / "Vantrel.ini", std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace vantrel::testing
