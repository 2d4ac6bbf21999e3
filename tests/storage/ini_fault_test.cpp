// A fault (an error or a kill) at any I/O step of any write, replacing the
// file or rewriting it in place through its recovery file, leaves each file
// old or new byte for byte once the next access is done, and no temporary
// file (or non-empty recovery file) outlives the next write.
#include <sys/stat.h>

#include <optional>

#include "faulty_file_io.hpp"
#include "ini_test_support.hpp"
#include "storage/file_io.hpp"
#include "storage/recovery_copy.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_session.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace vantrel::storage::ini::testing {
namespace {

namespace fs = std::filesystem;
using storage::testing::FaultyFileIo;
using storage::testing::Killed;

using Operation = std::function<bool(const fs::path&)>;
const std::string kOld = "; settings\n[s]\nk=1\n[t]\r\nx=2\r\n";
const Operation kOperations[] = {
    [](const fs::path& f) { return WriteProfileString("s", "k", "changed", f); },
    [](const fs::path& f) { return WriteProfileString("new", "k", "v", f); },
    [](const fs::path& f) { return WriteProfileString("s", "k", std::nullopt, f); },
    [](const fs::path& f) { return WriteProfileString("t", std::nullopt, std::nullopt, f); },
    [](const fs::path& f) { return WriteProfileSection("t", std::string_view("a=1\0b=2\0", 8), f); },
    [](const fs::path& f) { return ReplaceSection(f, "s", {"k=3", "m=4"}); },
    [](const fs::path& f) {
      Transaction tx(f);
      ReadKeys(f, "s");
      return WriteProfileString("s", "k", "2", f) && WriteProfileSection("t", std::nullopt, f) && tx.Commit();
    },
    [](const fs::path& f) {  // how Vantrel.txt and the wizard's files are written
      std::string error;
      return ReplaceFileContent(f, "Welcome\r\n", error) || (SetLastIniError(error), false);
    },
};

// A temporary file of a writer killed before its rename, named as CreateTemp names them.
#ifdef _WIN32
const char kKilledWritersTemp[] = ".test.ini.4242-17.tmp";
#else
const char kKilledWritersTemp[] = ".test.ini.Kil1ed";
#endif

class FaultTest : public IniTest {
 protected:
  std::optional<std::string> Content() const { return Exists() ? std::optional(Bytes()) : std::nullopt; }
  fs::path Recovery() const { return RecoveryFileOf(file()); }
  void Reset(const std::optional<std::string>& old, bool in_place) const {
    fs::remove_all(folder());
    fs::create_directories(folder());
    if (old) Lay(*old);
    vantrel::testing::WriteBytes(folder() / kKilledWritersTemp, "[s]\nk=");
    if (in_place) vantrel::testing::WriteBytes(Recovery(), "");  // made in advance, as installed
  }
};

TEST_F(FaultTest, EveryStepOfEveryWriteLeavesTheOldOrTheNewFile) {
  int states = 0;
  const std::optional<std::string> none;
  for (const auto& [old, in_place] : {std::pair(std::optional(kOld), false), std::pair(none, false),
                                      std::pair(std::optional(kOld), true)}) {
    for (const Operation& operation : kOperations) {
      Reset(old, in_place);
      FaultyFileIo plain;
      plain.no_new_files = in_place;
      std::optional<std::string> fresh;
      {
        ScopedFileIo scope(plain);
        ASSERT_TRUE(operation(file())) << LastIniError();
        fresh = Content();
      }
      bool passed = false;
      for (int step = 1; !passed; ++step) {
        for (const bool kill : {false, true}) {
          SCOPED_TRACE(::testing::Message() << "state " << states << ", step " << step << ", kill " << kill);
          Reset(old, in_place);
          FaultyFileIo io;
          io.fail_at = step, io.kill = kill, io.no_new_files = in_place;
          std::optional<bool> done;
          {
            ScopedFileIo scope(io);
            try {
              done = operation(file());
            } catch (const Killed&) {
            } catch (const FileReadError& e) {
              EXPECT_NE(std::string(e.what()).find(file().string()), std::string::npos);
            }
          }
          if (io.failed.empty()) {  // every step passed
            EXPECT_EQ(Content(), fresh);
            passed = true;
            break;
          }
          ++states;
          ReadValue(file(), "s", "k");  // the next access, which finishes an interrupted rewrite
          EXPECT_TRUE(Content() == old || Content() == fresh) << io.failed;
          if (done) {
            EXPECT_EQ(Content(), *done ? fresh : old) << io.failed;  // as reported
          }
          if ((io.failed == "CreateTemp" || io.failed == "Open") && done == false) {  // the refusal names both ways out
            EXPECT_NE(LastIniError().find(folder().string()), std::string::npos);
            EXPECT_NE(LastIniError().find(Recovery().filename().string()), std::string::npos);
          }
          ASSERT_TRUE(WriteProfileString("next", "k", "v", file()));
          EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 1 + in_place);
          EXPECT_TRUE(!in_place || fs::file_size(Recovery()) == 0);
        }
      }
    }
  }
  RecordProperty("states", states);
  EXPECT_GT(states, 100);
}

using LinksAndModesTest = IniTest;

#ifndef _WIN32
TEST_F(LinksAndModesTest, ALinkedFileIsWrittenWhereItLeadsAndAReadOnlyOneIsRefused) {
  fs::create_directories(folder() / "real");
  vantrel::testing::WriteBytes(folder() / "real" / "x.ini", kOld);
  fs::create_symlink("real/x.ini", file());
  ASSERT_TRUE(WriteProfileString("s", "k", "2", file()));
  EXPECT_TRUE(fs::is_symlink(file()));
  EXPECT_EQ(Bytes(), "; settings\n[s]\nk=2\n[t]\r\nx=2\r\n");

  ASSERT_EQ(::chmod((folder() / "real" / "x.ini").c_str(), 0444), 0);
  EXPECT_FALSE(WriteProfileString("s", "k", "3", file()));
  EXPECT_NE(LastIniError().find("read-only"), std::string::npos);
  EXPECT_EQ(Bytes(), "; settings\n[s]\nk=2\n[t]\r\nx=2\r\n");
}
#endif

TEST_F(LinksAndModesTest, AFailedReadIsAnErrorNotAnEmptyFile) {
  Lay(kOld);
  FaultyFileIo io;
  io.fail_at = 2;  // Stat passes, Read fails
  ScopedFileIo scope(io);
  EXPECT_THROW(ReadValue(file(), "s", "k"), FileReadError);
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
