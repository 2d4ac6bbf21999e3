#include <gtest/gtest.h>

#include "users_fixture.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "admin/settings_file.hpp"
#include "admin/settings_init.hpp"
#include "automation/text.hpp"
#include "storage/ini_file.hpp"

namespace vantrel::testing {

UsersTest::UsersTest() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-users-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  servu_ = root_ / "servu";
  std::filesystem::create_directories(servu_);
  // Drives C: and D: of the stand-in root exist, as on a Windows host.
  std::filesystem::create_directories(root_ / "drives" / "c");
  std::filesystem::create_directories(root_ / "drives" / "d");
  ::setenv("VANTREL_ROOT", root_.c_str(), 1);
  admin::EnsureSettingsFiles();
  WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.1\r\n\r\n[DOMAINS]\r\nDomain1=|1.2.3.4||21|ftp.example.com|1|0\r\n");
}

UsersTest::~UsersTest() {
  ::unsetenv("VANTREL_ROOT");
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void UsersTest::WriteServerFile(const std::string& text) const {
  std::ofstream(ServerFile(), std::ios::binary | std::ios::trunc) << text;
}

std::string UsersTest::ReadServerFile() const {
  std::ifstream in(ServerFile(), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

classes::Ref<classes::User> UsersTest::SystemUser() const {
  auto user = automation::MakeRef<classes::User>();
  user->AdminName = kSystemAdmin;
  user->AdminPassword = kSystemPassword;
  user->ServUPath = automation::FromUtf8(servu_.string());
  return user;
}

classes::Ref<classes::User> UsersTest::DomainAdminUser(std::int16_t domain, const std::u16string& rootDir) const {
  const std::string d = std::to_string(domain);
  admin::WriteSetting(admin::kPrivateDirSection, u"boss", u"secret|" + std::u16string(d.begin(), d.end()) + u"|" + rootDir);
  auto user = SystemUser();
  user->AdminName = u"boss";
  user->AdminPassword = u"secret";
  return user;
}

std::u16string UsersTest::Value(const std::u16string& section, const std::u16string& key) const {
  storage::CIniFile ini;
  ini.SetIniFile(automation::FromUtf8(ServerFile().string()));
  return ini.ReadString(section, key, 4096);
}

std::u16string UsersTest::Keys(const std::u16string& section) const {
  storage::CIniFile ini;
  ini.SetIniFile(automation::FromUtf8(ServerFile().string()));
  std::u16string joined;
  for (const std::u16string& key : ini.GetKeys(section)) joined += (joined.empty() ? u"" : u";") + key;
  return joined;
}

std::filesystem::path DriveFolder(const std::filesystem::path& root, char letter, const std::string& rest) {
  return root / "drives" / std::string(1, letter) / rest;
}

}  // namespace vantrel::testing
