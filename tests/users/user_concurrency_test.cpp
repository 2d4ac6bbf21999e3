// Processes adding users to one domain at the same time lose nothing: each
// operation is one locked transaction on the server file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <vector>

#include "admin/settings_init.hpp"
#include "automation/text.hpp"
#include "classes/user.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {
namespace {

constexpr int kProcesses = 4;
constexpr int kAddsEach = 15;

TEST(UserConcurrency, AddsAcrossProcessesLoseNothing) {
  TempRoot root;
  admin::EnsureSettingsFiles();
  WriteBytes(root.cwd() / "ServUDaemon.ini", "[Domain1]\r\n");
  auto newUser = [] {
    auto user = automation::MakeRef<classes::User>();
    user->AdminName = u"Vantrel";
    user->AdminPassword = u"KelpMoor";
    return user;  // ServUPath "" is the current folder
  };
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int failed = 0;
      for (int n = 0; n < kAddsEach; ++n) {
        auto user = newUser();
        user->UserName = automation::FromUtf8("p" + std::to_string(p) + "u" + std::to_string(n));
        failed += !user->AddUser(1);
      }
      ::_exit(failed);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed adds in process " << pid;
  }
  auto lister = newUser();
  ASSERT_TRUE(lister->GetUserList(1));
  std::set<std::u16string> names;
  for (std::int32_t i = 1; i <= lister->UserListProperty.Get()->Count(); ++i)
    names.insert(lister->UserListProperty.Get()->Item(automation::Variant(i))->UserName);
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kProcesses * kAddsEach));
  const std::string file = ReadBytes(root.cwd() / "ServUDaemon.ini");
  for (const auto& name : names)
    EXPECT_NE(file.find("[USER=" + automation::ToUtf8(name) + "|1]"), std::string::npos) << automation::ToUtf8(name);
}

}  // namespace
}  // namespace vantrel::testing
