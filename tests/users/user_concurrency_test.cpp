// Several processes adding and changing users of one domain at the same time
// lose nothing: each operation is one locked transaction on the server file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

constexpr int kProcesses = 4;
constexpr int kAddsEach = 15;

std::u16string Name(int process, int n) {
  return automation::FromUtf8("p" + std::to_string(process) + "u" + std::to_string(n));
}

class UserConcurrencyTest : public UsersTest {
 protected:
  // Runs `work(process)` in kProcesses child processes at once; each child's
  // exit status is the number of operations that returned False.
  template <class Work>
  void RunInProcesses(Work work) {
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
      const pid_t pid = ::fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) ::_exit(work(p));
      children.push_back(pid);
    }
    for (pid_t pid : children) {
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 0) << "failed operations in process " << pid;
    }
  }

  std::set<std::u16string> ListedNames() {
    auto user = SystemUser();
    EXPECT_TRUE(user->GetUserList(1));
    std::set<std::u16string> names;
    auto list = user->UserListProperty.Get();
    for (std::int32_t i = 1; i <= list->Count(); ++i) names.insert(list->Item(Variant(i))->UserName);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(list->Count())) << "a name listed twice";
    return names;
  }
};

TEST_F(UserConcurrencyTest, ConcurrentAddsAcrossProcessesLoseNothing) {
  RunInProcesses([this](int p) {
    int failed = 0;
    for (int n = 0; n < kAddsEach; ++n) {
      auto user = SystemUser();
      user->UserName = Name(p, n);
      user->HomeDir = u"C:\\ftp\\" + Name(p, n);
      if (!user->AddUser(1)) ++failed;
    }
    return failed;
  });
  const auto names = ListedNames();
  ASSERT_EQ(names.size(), static_cast<std::size_t>(kProcesses * kAddsEach));
  for (int p = 0; p < kProcesses; ++p)
    for (int n = 0; n < kAddsEach; ++n) {
      EXPECT_TRUE(names.count(Name(p, n))) << automation::ToUtf8(Name(p, n));
      EXPECT_EQ(Value(u"USER=" + Name(p, n) + u"|1", u"HomeDir"), u"C:\\ftp\\" + Name(p, n));
    }
  // Every line has its own key.
  EXPECT_EQ(Value(u"Domain1", u"User" + automation::FromUtf8(std::to_string(kProcesses * kAddsEach))).empty(),
            false);
}

TEST_F(UserConcurrencyTest, ConcurrentModifiesAndAddsKeepEveryAccount) {
  WriteServerFile("[Domain1]\r\nUser1=p0u0|1|0\r\nUser2=p1u0|1|0\r\nUser3=p2u0|1|0\r\nUser4=p3u0|1|0\r\n");
  RunInProcesses([this](int p) {
    int failed = 0;
    for (int n = 1; n < kAddsEach; ++n) {
      // Change the process's own first account (it moves to the end of the
      // list each time) and add another.
      auto user = SystemUser();
      if (!user->GetUser(Name(p, 0), 1)) ++failed;
      user->TimeOut = static_cast<std::int16_t>(n);
      if (!user->ModifyUser(Name(p, 0), 1)) ++failed;
      auto adder = SystemUser();
      adder->UserName = Name(p, n);
      if (!adder->AddUser(1)) ++failed;
    }
    return failed;
  });
  const auto names = ListedNames();
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kProcesses * kAddsEach));
  for (int p = 0; p < kProcesses; ++p)
    EXPECT_EQ(Value(u"USER=" + Name(p, 0) + u"|1", u"TimeOut"),
              automation::FromUtf8(std::to_string(kAddsEach - 1)));
}

}  // namespace
}  // namespace vantrel::testing
