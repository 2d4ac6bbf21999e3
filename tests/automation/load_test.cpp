// Pages run on many threads of one web server process: 8 threads, each with
// its own objects, add 250 users each at once through the C interface; every
// account must be kept, and the run must end (no deadlock: the test timeout).
// Processes exclude one another with the transaction's lock, tested where it
// lives (storage/ini_transaction_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "automation/runtime/vantrel.h"
#include "temp_root.hpp"

namespace {

constexpr int kWorkers = 8, kAdds = 250;

int32_t Put(vantrel_object* o, const char* name, const std::string& text) {
  vantrel_variant v{};
  v.type = VANTREL_STRING;
  v.string_value = const_cast<char*>(text.c_str());
  return vantrel_invoke(o, name, VANTREL_PROPERTYPUT, &v, 1, nullptr, nullptr);
}

std::string Name(int worker, int i) { return "w" + std::to_string(worker) + "u" + std::to_string(i); }

// Adds kAdds users named for `worker`; returns how many AddUser calls succeeded.
int AddUsers(const std::string& servu, int worker) {
  vantrel_object* user = nullptr;
  if (vantrel_create("Vantrel.User", &user, nullptr) != 0) return 0;
  Put(user, "ServUPath", servu), Put(user, "AdminName", "Vantrel"), Put(user, "AdminPassword", "KelpMoor");
  int added = 0;
  for (int i = 0; i < kAdds; ++i) {
    const std::string name = Name(worker, i);
    vantrel_variant ok{}, domain{VANTREL_I2, 1, 0, nullptr, nullptr};
    added += Put(user, "UserName", name) == 0 && Put(user, "HomeDir", "C:\\ftp\\" + name) == 0 &&
             vantrel_invoke(user, "AddUser", VANTREL_METHOD, &domain, 1, &ok, nullptr) == 0 && ok.int_value;
  }
  vantrel_release(user);
  return added;
}

class Load : public testing::Test {
 protected:
  void SetUp() override {
    root_.WriteSettings("[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n");
    vantrel::testing::WriteBytes(root_.top() / "servu/ServUDaemon.ini", "[Domain1]\r\nUser1=alice|1|0\r\n");
  }
  // Every worker's users, with their list line and their own section.
  int Kept() const {
    const std::string file = vantrel::testing::ReadBytes(root_.top() / "servu/ServUDaemon.ini");
    int kept = 0;
    for (int w = 0; w < kWorkers; ++w) {
      for (int i = 0; i < kAdds; ++i) {
        const std::string name = Name(w, i);
        kept += file.find("=" + name + "|1|") != std::string::npos && file.find("[USER=" + name + "|1]") != std::string::npos;
      }
    }
    return kept;
  }
  vantrel::testing::TempRoot root_;
  const std::string servu_ = (root_.top() / "servu").string();
};

TEST_F(Load, EightThreadsOfOneProcessAddingUsersLoseNone) {
  std::vector<int> added(kWorkers, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kWorkers; ++t) threads.emplace_back([&, t] { added[t] = AddUsers(servu_, t); });
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kWorkers; ++t) EXPECT_EQ(added[t], kAdds) << "thread " << t;
  EXPECT_EQ(Kept(), kWorkers * kAdds);
}

}  // namespace
