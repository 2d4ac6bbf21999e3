// Pages run on many threads of one web server process: 8 threads, each with
// its own objects, add 250 users each through the C interface at once; every
// account must be kept, and the run must end (no deadlock: the test timeout).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "automation/runtime/vantrel.h"
#include "temp_root.hpp"

namespace {

int32_t Put(vantrel_object* o, const char* name, const std::string& text) {
  vantrel_variant v{};
  v.type = VANTREL_STRING;
  v.string_value = const_cast<char*>(text.c_str());
  return vantrel_invoke(o, name, VANTREL_PROPERTYPUT, &v, 1, nullptr, nullptr);
}

TEST(Load, EightThreadsOfOneProcessAddingUsersLoseNone) {
  vantrel::testing::TempRoot root;
  root.WriteSettings("[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n");
  const std::string servu = (root.top() / "servu").string();
  vantrel::testing::WriteBytes(root.top() / "servu/ServUDaemon.ini", "[Domain1]\r\nUser1=alice|1|0\r\n");
  constexpr int kThreads = 8, kAdds = 250;
  std::vector<int> added(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      vantrel_object* user = nullptr;
      if (vantrel_create("Vantrel.User", &user, nullptr) != 0) return;
      Put(user, "ServUPath", servu), Put(user, "AdminName", "Vantrel"), Put(user, "AdminPassword", "KelpMoor");
      for (int i = 0; i < kAdds; ++i) {
        const std::string name = "t" + std::to_string(t) + "u" + std::to_string(i);
        vantrel_variant ok{}, domain{VANTREL_I2, 1, 0, nullptr, nullptr};
        if (Put(user, "UserName", name) == 0 && Put(user, "HomeDir", "C:\\ftp\\" + name) == 0 &&
            vantrel_invoke(user, "AddUser", VANTREL_METHOD, &domain, 1, &ok, nullptr) == 0 && ok.int_value) {
          ++added[t];
        }
      }
      vantrel_release(user);
    });
  }
  for (std::thread& thread : threads) thread.join();
  const std::string file = vantrel::testing::ReadBytes(root.top() / "servu/ServUDaemon.ini");
  int kept = 0;
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(added[t], kAdds) << "thread " << t;
    for (int i = 0; i < kAdds; ++i) {
      const std::string name = "t" + std::to_string(t) + "u" + std::to_string(i);
      kept += file.find("=" + name + "|1|") != std::string::npos && file.find("[USER=" + name + "|1]") != std::string::npos;
    }
  }
  EXPECT_EQ(kept, kThreads * kAdds);
}

}  // namespace
