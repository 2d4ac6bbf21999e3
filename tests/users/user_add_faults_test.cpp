// An add that meets a fault at any I/O step, in either file, fails and
// leaves the server file as it was, or succeeds whole: a failed read of the
// settings file is never taken for a missing right (which would add the user
// without its access rules).
#include <gtest/gtest.h>

#include "admin/settings_init.hpp"
#include "classes/collections.hpp"
#include "classes/user.hpp"
#include "faulty_file_io.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {
namespace {

TEST(UserAddFaults, EveryFaultFailsTheAddAndWritesNothingOrTheUserKeepsItsRules) {
  TempRoot root;
  admin::EnsureSettingsFiles();
  const std::string old = "[Domain1]\r\n";
  for (int step = 1;; ++step) {
    WriteBytes(root.cwd() / "ServUDaemon.ini", old);
    auto user = automation::MakeRef<classes::User>();
    user->AdminName = u"Vantrel", user->AdminPassword = u"KelpMoor", user->UserName = u"u";
    user->DirAccessProperty.Get()->Add(u"C:\\files");
    storage::testing::FaultyFileIo io;
    io.fail_at = step;
    bool added = false;
    {
      storage::ScopedFileIo scope(io);
      try {
        added = user->AddUser(1);
      } catch (const storage::FileReadError&) {
      }
    }
    const std::string now = ReadBytes(root.cwd() / "ServUDaemon.ini");
    SCOPED_TRACE(::testing::Message() << "step " << step << " " << io.failed);
    if (added) EXPECT_NE(now.find("Access1=C:\\files"), std::string::npos);
    else EXPECT_EQ(now, old);
    if (io.failed.empty()) {  // every step passed
      EXPECT_TRUE(added);
      break;
    }
  }
}

}  // namespace
}  // namespace vantrel::testing
