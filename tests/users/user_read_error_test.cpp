// A read of the settings file that fails at any point of an add is an error:
// never taken for a missing right (which would drop the access rules).
#include <gtest/gtest.h>

#include <cerrno>

#include "admin/settings_init.hpp"
#include "classes/collections.hpp"
#include "classes/user.hpp"
#include "storage/file_io.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using storage::RealFileIo;

// Fails the fail_at-th read of Vantrel.ini.
struct SettingsReadFault final : storage::FileIo {
  int fail_at = 0, reads = 0;
  storage::PathKind Stat(const fs::path& f) override { return RealFileIo().Stat(f); }
  bool Read(const fs::path& f, std::string& b) override {
    if (f.filename() == "Vantrel.ini" && ++reads == fail_at) return errno = EIO, false;
    return RealFileIo().Read(f, b);
  }
  std::unique_ptr<storage::TempFile> CreateTemp(const fs::path& t) override { return RealFileIo().CreateTemp(t); }
  std::unique_ptr<storage::RewriteFile> OpenForRewrite(const fs::path& f) override {
    return RealFileIo().OpenForRewrite(f);
  }
  void RemoveStaleTemps(const fs::path& t) override { RealFileIo().RemoveStaleTemps(t); }
  std::unique_ptr<storage::FileLock> Lock(const fs::path& f) override { return RealFileIo().Lock(f); }
};

TEST(UserReadError, EveryFailedSettingsReadFailsTheAddAndWritesNothing) {
  TempRoot root;
  admin::EnsureSettingsFiles();
  const std::string old = "[Domain1]\r\n";
  for (int step = 1;; ++step) {
    WriteBytes(root.cwd() / "ServUDaemon.ini", old);
    auto user = automation::MakeRef<classes::User>();
    user->AdminName = u"Vantrel", user->AdminPassword = u"KelpMoor", user->UserName = u"u";
    user->DirAccessProperty.Get()->Add(u"C:\\files");
    SettingsReadFault io;
    io.fail_at = step;
    storage::ScopedFileIo scope(io);
    try {
      ASSERT_TRUE(user->AddUser(1));
      ASSERT_LT(io.reads, step);  // no read failed: the rule is there
      EXPECT_NE(ReadBytes(root.cwd() / "ServUDaemon.ini").find("Access1=C:\\files"), std::string::npos);
      break;
    } catch (const storage::FileReadError& e) {
      EXPECT_NE(std::string(e.what()).find("Vantrel.ini"), std::string::npos);
      EXPECT_EQ(ReadBytes(root.cwd() / "ServUDaemon.ini"), old) << "read " << step;
    }
  }
}

}  // namespace
}  // namespace vantrel::testing
