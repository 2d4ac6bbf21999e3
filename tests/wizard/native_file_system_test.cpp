// The POSIX file system behind the wizard: existence query, ANSI conversion
// through the locale's code set, and what the wizard adds to the foundation's
// atomic replacement (links followed, a folder in the way left alone).
#include "core/native_file_system.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "automation/text.hpp"
#include "core/wizard.hpp"
#include "storage/codepage.hpp"
#include "test_doubles.hpp"

namespace vantrel::wizard {
namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "wizard-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::u16string U16(const fs::path& path) { return automation::FromUtf8(path.string()); }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      ::unsetenv(name);
    }
  }
  ~LocaleEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name, value->c_str(), 1);
      else ::unsetenv(name);
    }
    storage::ResetAnsiCodePageForTesting();
  }
  void Set(const char* name, const char* value) {
    ::setenv(name, value, 1);
    storage::ResetAnsiCodePageForTesting();
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// --- existence query ----------------------------------------------------------

TEST(NativeProbe, TellsFilesFoldersAndTheKindsOfMissing) {
  TemporaryFolder folder;
  WriteText(folder.path() / "ServUDaemon.exe", "x");
  NativeFileSystem files;
  EXPECT_EQ(files.Probe(U16(folder.path() / "ServUDaemon.exe")), ProbeResult::Found);
  EXPECT_EQ(files.Probe(U16(folder.path())), ProbeResult::Found);
  EXPECT_EQ(files.Probe(U16(folder.path() / "none.exe")), ProbeResult::FileNotFound);
  EXPECT_EQ(files.Probe(U16(folder.path() / "ServUDaemon.exe" / "x")), ProbeResult::PathNotFound);
}

// --- ANSI code page -----------------------------------------------------------

TEST(NativeAnsi, RefusesACharacterTheCodeSetLacks) {
  LocaleEnvironment environment;
  environment.Set("LC_ALL", "fr_FR.ISO-8859-1");
  NativeFileSystem files;
  const AnsiText text = files.ToAnsi(u"C:\\\u4E2D\\");
  EXPECT_FALSE(text.bytes.has_value());
  EXPECT_NE(text.error.find(u"ISO-8859-1"), std::u16string::npos);
  environment.Set("LC_ALL", "xx_XX.NO-SUCH-CODESET");  // holds ASCII alone
  EXPECT_FALSE(files.ToAnsi(u"C:\\\u00E9").bytes.has_value());
}

// --- replacing the include file ----------------------------------------------

TEST(NativeReplace, ReplacesAllOldContentAndLeavesNoTemporaryFile) {
  TemporaryFolder folder;
  const fs::path file = folder.path() / "ServUPath.asp";
  WriteText(file, std::string(5000, 'x') + "\r\nold second line\r\n");
  NativeFileSystem files;
  EXPECT_EQ(files.ReplaceContents(U16(file), "new\r\n"), std::nullopt);
  EXPECT_EQ(ReadAll(file), "new\r\n");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
  EXPECT_EQ(files.ReplaceContents(U16(folder.path() / "abc"), "line\r\n"), std::nullopt);  // a new file
  EXPECT_EQ(ReadAll(folder.path() / "abc"), "line\r\n");
}

TEST(NativeReplace, ReplacesTheTargetOfASymbolicLinkAndKeepsTheLink) {
  TemporaryFolder folder;
  const fs::path real = folder.path() / "real.asp";
  const fs::path link = folder.path() / "ServUPath.asp";
  WriteText(real, "old");
  fs::create_symlink(real, link);
  NativeFileSystem files;
  ASSERT_EQ(files.ReplaceContents(U16(link), "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(real), "new");
}

TEST(NativeReplace, AFolderInThePlaceOfTheFileIsLeftAlone) {
  TemporaryFolder folder;
  fs::create_directory(folder.path() / "ServUPath.asp");
  WriteText(folder.path() / "ServUPath.asp" / "inside", "keep");
  NativeFileSystem files;
  EXPECT_TRUE(files.ReplaceContents(U16(folder.path() / "ServUPath.asp"), "x").has_value());
  EXPECT_EQ(ReadAll(folder.path() / "ServUPath.asp" / "inside"), "keep");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

}  // namespace
}  // namespace vantrel::wizard
