// Processes adding users to one domain at the same time lose nothing: each
// operation is one locked transaction on the server file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <vector>

#include "automation/text.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

constexpr int kProcesses = 4;
constexpr int kAddsEach = 15;

TEST_F(UsersTest, ConcurrentAddsAcrossProcessesLoseNothing) {
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int failed = 0;
      for (int n = 0; n < kAddsEach; ++n) {
        auto user = SystemUser();
        user->UserName = automation::FromUtf8("p" + std::to_string(p) + "u" + std::to_string(n));
        user->HomeDir = u"C:\\ftp\\" + user->UserName;
        if (!user->AddUser(1)) ++failed;
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
  auto lister = SystemUser();
  ASSERT_TRUE(lister->GetUserList(1));
  auto list = lister->UserListProperty.Get();
  std::set<std::u16string> names;
  for (std::int32_t i = 1; i <= list->Count(); ++i) names.insert(list->Item(automation::Variant(i))->UserName);
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kProcesses * kAddsEach));
  for (const auto& name : names) EXPECT_EQ(Value(u"USER=" + name + u"|1", u"HomeDir"), u"C:\\ftp\\" + name);
}

}  // namespace
}  // namespace vantrel::testing
