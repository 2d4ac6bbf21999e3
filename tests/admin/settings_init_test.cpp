#include "admin/settings_init.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "temp_root.hpp"

namespace vantrel::admin {
namespace {

using testing::ReadBytes;
using testing::TempRoot;


TEST(EnsureSettingsFiles, CreatesFactoryDefaultsThatPassTheChecks) {
  TempRoot root;
  EnsureSettingsFiles();
  EXPECT_TRUE(CheckSystemAdmin(u"VANTREL", u"KelpMoor"));
  EXPECT_FALSE(CheckSystemAdmin(u"Vantrel", u"kelpmoor"));
  EXPECT_EQ(GetSettingKeys(u"PublicDir"), std::vector<std::u16string>{u"dir1"});
  EXPECT_EQ(ReadSetting(u"PublicDir", u"dir1"), u"C:\\Vantrel");
  EXPECT_EQ(ReadSetting(u"Vantrel", u"Version"), u"1.0.0.0");
  EXPECT_EQ(ReadSetting(u"Vantrel", u"Password").size(), 34u);
  EXPECT_TRUE(CheckDirRight(u"", u"", u"c:\\vantrel\\pub"));

  const std::string welcome = ReadBytes(root.WindowsFolder() / "Vantrel.txt");
  EXPECT_EQ(welcome.rfind("Welcome to use Vantrel.dll\r\n", 0), 0u);
  EXPECT_NE(welcome.find("1.0.0.0"), std::string::npos);
  EXPECT_EQ(welcome.substr(welcome.size() - 2), "\r\n");

  const auto perms = std::filesystem::status(root.WindowsFolder() / "Vantrel.ini").permissions();
  EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
            std::filesystem::perms::none);
}

TEST(EnsureSettingsFiles, NeverChangesAnExistingFile) {
  TempRoot root;
  root.WriteSettings("");
  EnsureSettingsFiles();
  EXPECT_EQ(root.ReadSettings(), "");  // an empty file stays empty

  std::filesystem::remove(root.WindowsFolder() / "Vantrel.txt");
  root.WriteSettings("[Vantrel]\nAdministrator=x\n");
  EnsureSettingsFiles();
  EXPECT_EQ(root.ReadSettings(), "[Vantrel]\nAdministrator=x\n");
  EXPECT_TRUE(std::filesystem::exists(root.WindowsFolder() / "Vantrel.txt"));  // the welcome file alone comes back
}

TEST(EnsureSettingsFiles, ConcurrentFirstCallsAgreeOnOnePassword) {
  TempRoot root;
  std::filesystem::remove_all(root.WindowsFolder());
  constexpr int kProcesses = 6;
  std::vector<pid_t> children;
  for (int i = 0; i < kProcesses; ++i) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // Each process records the password it saw right after its own call.
      EnsureSettingsFiles();
      const std::u16string seen = ReadSetting(u"Vantrel", u"Password");
      std::ofstream(root.path() / ("seen" + std::to_string(i)), std::ios::binary)
          << std::string(seen.begin(), seen.end());
      ::_exit(0);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) ::waitpid(pid, nullptr, 0);
  const std::u16string final = ReadSetting(u"Vantrel", u"Password");
  ASSERT_EQ(final.size(), 34u);
  for (int i = 0; i < kProcesses; ++i) {
    EXPECT_EQ(ReadBytes(root.path() / ("seen" + std::to_string(i))), std::string(final.begin(), final.end()))
        << "process " << i << " saw defaults that a later first call replaced";
  }
}

TEST(SettingsFile, AWriteThatCreatesTheFileMakesItOwnerOnly) {
  TempRoot root;
  ASSERT_TRUE(WriteSetting(u"PrivateDir", u"sales", u"pw|2|D:\\ftp"));
  const auto perms = std::filesystem::status(root.WindowsFolder() / "Vantrel.ini").permissions();
  EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
            std::filesystem::perms::none);
  EXPECT_EQ(ReadSetting(u"PrivateDir", u"sales"), u"pw|2|D:\\ftp");
}

TEST(SettingsFile, AnEmptyKeyNameHidesNoLaterKey) {
  TempRoot root;
  root.WriteSettings("[PublicDir]\r\ndir1=C:\\a\r\n=stray\r\ndir2=C:\\b\r\n");
  EXPECT_EQ(GetSettingKeys(u"PublicDir"), (std::vector<std::u16string>{u"dir1", u"dir2"}));
  EXPECT_TRUE(CheckDirRight(u"", u"", u"c:\\b\\x"));
}

}  // namespace
}  // namespace vantrel::admin
