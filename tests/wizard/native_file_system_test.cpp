// The POSIX file system behind the wizard: existence query, ANSI conversion
// through the locale's code set, and what the wizard adds to the foundation's
// atomic replacement (links followed, a folder in the way left alone); the
// replacement itself is the foundation's and is tested with it.
#include "core/native_file_system.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "automation/text.hpp"
#include "core/wizard.hpp"
#include "scoped_locale.hpp"
#include "temp_root.hpp"

namespace vantrel::wizard {
namespace {

namespace fs = std::filesystem;

using storage::testing::ScopedLocale;
using vantrel::testing::ReadBytes;
using vantrel::testing::TempRoot;
using vantrel::testing::WriteBytes;

std::u16string U16(const fs::path& path) { return automation::FromUtf8(path.string()); }

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// --- existence query ----------------------------------------------------------

TEST(NativeProbe, TellsFilesFoldersAndTheKindsOfMissing) {
  TempRoot folder;
  WriteBytes(folder.cwd() / "ServUDaemon.exe", "x");
  NativeFileSystem files;
  EXPECT_EQ(files.Probe(U16(folder.cwd() / "ServUDaemon.exe")), ProbeResult::Found);
  EXPECT_EQ(files.Probe(U16(folder.cwd())), ProbeResult::Found);
  EXPECT_EQ(files.Probe(U16(folder.cwd() / "none.exe")), ProbeResult::FileNotFound);
  EXPECT_EQ(files.Probe(U16(folder.cwd() / "ServUDaemon.exe" / "x")), ProbeResult::PathNotFound);
}

// --- ANSI code page -----------------------------------------------------------

TEST(NativeAnsi, RefusesACharacterTheCodeSetLacks) {
  ScopedLocale latin1("fr_FR.ISO-8859-1");
  NativeFileSystem files;
  const AnsiText text = files.ToAnsi(u"C:\\\u4E2D\\");
  EXPECT_FALSE(text.bytes.has_value());
  EXPECT_NE(text.error.find(u"ISO-8859-1"), std::u16string::npos);
  ScopedLocale unknown("xx_XX.NO-SUCH-CODESET");  // holds ASCII alone
  EXPECT_FALSE(files.ToAnsi(u"C:\\\u00E9").bytes.has_value());
}

// --- replacing the include file ----------------------------------------------

TEST(NativeReplace, ReplacesTheTargetOfASymbolicLinkAndKeepsTheLink) {
  TempRoot folder;
  const fs::path real = folder.cwd() / "real.asp";
  const fs::path link = folder.cwd() / "ServUPath.asp";
  WriteBytes(real, "old");
  fs::create_symlink(real, link);
  NativeFileSystem files;
  ASSERT_EQ(files.ReplaceContents(U16(link), "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "new");
}

TEST(NativeReplace, AFolderInThePlaceOfTheFileIsLeftAlone) {
  TempRoot folder;
  fs::create_directory(folder.cwd() / "ServUPath.asp");
  WriteBytes(folder.cwd() / "ServUPath.asp" / "inside", "keep");
  NativeFileSystem files;
  EXPECT_TRUE(files.ReplaceContents(U16(folder.cwd() / "ServUPath.asp"), "x").has_value());
  EXPECT_EQ(ReadBytes(folder.cwd() / "ServUPath.asp" / "inside"), "keep");
  EXPECT_EQ(EntriesIn(folder.cwd()), 1u);
}

}  // namespace
}  // namespace vantrel::wizard
