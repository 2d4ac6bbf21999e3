#include "explorer_fixture.hpp"

#include <algorithm>
#include <fstream>

#include "admin/settings_file.hpp"
#include "admin/settings_init.hpp"

namespace vantrel::testing {

void ExplorerTest::SetUp() {
  admin::EnsureSettingsFiles();
  ASSERT_TRUE(admin::WriteSetting(admin::kPrivateDirSection, u"sales", u"Pa55|2|D:\\ftp\\sales"));
  Folder(Drive('d', "ftp\\sales"));
}

std::filesystem::path ExplorerTest::Drive(char letter, const std::string& rest) const {
  std::string relative = rest;
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return root_.path() / "drives" / std::string(1, letter) / relative;
}

std::filesystem::path ExplorerTest::Folder(const std::filesystem::path& path) const {
  std::filesystem::create_directories(path);
  return path;
}

std::filesystem::path ExplorerTest::FileOf(const std::filesystem::path& path, std::size_t size) const {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << std::string(size, 'x');
  return path;
}

}  // namespace vantrel::testing
