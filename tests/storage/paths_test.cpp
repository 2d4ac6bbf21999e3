#include "storage/paths.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_root.hpp"

namespace vantrel::storage {
namespace {

namespace fs = std::filesystem;
using testing::TempRootTest;

TEST(PathJoin, TrimsSpacesAndAddsOneBackslash) {
  const struct { const char16_t* folder; const char16_t* name; const char16_t* joined; } cases[] = {
      {u"  C:\\Srv  ", u"  ServUDaemon.ini  ", u"C:\\Srv\\ServUDaemon.ini"},
      {u"C:\\Srv\\  ", u"x.ini", u"C:\\Srv\\x.ini"},       // no second backslash
      {u"   ", u" x.ini ", u"x.ini"},                          // blank folder: the name alone
      {u"C:\\Srv", u"\\x", u"C:\\Srv\\\\x"},                // the name is not examined
      {u"\tC:\\a", u"b\t", u"\tC:\\a\\b\t"},                // only spaces are trimmed
      {u"/srv/", u"x.ini", u"/srv/\\x.ini"},                    // only a backslash ends a folder
  };
  for (const auto& c : cases) EXPECT_EQ(PathJoin(c.folder, c.name), c.joined);
}

// ---- System root and Windows folder ---------------------------------------

class SystemRootTest : public TempRootTest {};

TEST_F(SystemRootTest, RootIsReadFromTheEnvironmentAtEveryCall) {
  const fs::path other = top_ / "other";
  ::setenv("VANTREL_ROOT", other.c_str(), 1);
  EXPECT_EQ(SystemRoot(), other);
  EXPECT_EQ(ToNativePath(u"D:\\x"), other / "drives" / "d" / "x");
  ::setenv("VANTREL_ROOT", "rel/root", 1);
  EXPECT_EQ(SystemRoot(), cwd_ / "rel" / "root");  // relative: from the current folder
  ::unsetenv("VANTREL_ROOT");
  EXPECT_EQ(SystemRoot(), fs::path("/var/lib/vantrel"));
}

TEST_F(SystemRootTest, WindowsFolderIsOnDriveCUnlessAnOldRootHasItsOwn) {
  EXPECT_EQ(WindowsFolder(), u"C:\\Windows");
  fs::remove_all(root_ / "drives");
  fs::create_directories(root_ / "Windows");
  EXPECT_EQ(WindowsFolder(), NativePathToText(root_ / "Windows"));
  fs::create_directories(root_ / "drives" / "c" / "Windows");
  EXPECT_EQ(WindowsFolder(), u"C:\\Windows");  // the new place wins once it exists
}

// ---- Mapping Windows-form paths -------------------------------------------

class NativePathTest : public TempRootTest {};

TEST_F(NativePathTest, WindowsFormPathsMapLexically) {
  const fs::path c = root_ / "drives" / "c";
  const std::pair<std::u16string, fs::path> cases[] = {
      {u"C:\\Srv\\ServUDaemon.ini", c / "Srv" / "ServUDaemon.ini"},
      {u"d:/ftp/pub", root_ / "drives" / "d" / "ftp" / "pub"},  // lower-case drive folder
      {u"E:", root_ / "drives" / "e"},
      {u"C:\\a//b\\\\c/", c / "a" / "b" / "c" / ""},              // both separators, repeats
      {u"\\tmp\\x.ini", fs::path("/tmp/x.ini")},
      {u"ServUDaemon.ini", cwd_ / "ServUDaemon.ini"},  // a bare name: the current folder, not Windows
      {u"sub\\x.ini", cwd_ / "sub" / "x.ini"},
      {u"..\\x.ini", top_ / "x.ini"},
      {u"C:\\a\\.\\b\\..\\c", c / "a" / "c"},
      {u"C:\\..\\..\\etc\\passwd", c / "etc" / "passwd"},        // never above the drive
      {u"/../../etc", fs::path("/etc")},
      {u"C:\\ftp. \\alice..\\x.ini.", c / "ftp" / "alice" / "x.ini"},  // trailing dots and spaces
      {u"C:\\a\\ .x\\..\\b", c / "a" / "b"},
      {u"name.", cwd_ / "name."},                                // POSIX names stay as they are
      {u"", fs::path()},
  };
  for (const auto& [text, native] : cases) EXPECT_EQ(ToNativePath(text), native) << native;
}

TEST_F(NativePathTest, PosixAbsolutePathIsUsedAsItIs) {
  const fs::path file = MakeFile("data/ServUDaemon.ini", "[GLOBAL]\r\n");
  EXPECT_EQ(ToNativePath(NativePathToText(file)), file);
}

TEST_F(NativePathTest, MissingComponentsAreFoundWithoutRegardToLetterCase) {
  const fs::path file = MakeFile(root_ / "drives" / "c" / "Serv-U" / "ServUDaemon.ini");
  EXPECT_EQ(ToNativePath(u"C:\\SERV-U\\servudaemon.INI"), file);
  EXPECT_EQ(ToNativePath(u"c:\\serv-u\\New\\Sub"), root_ / "drives" / "c" / "Serv-U" / "New" / "Sub");
}

TEST_F(NativePathTest, UpperCaseDriveFolderIsFoundToo) {
  fs::create_directories(root_ / "drives" / "D" / "ftp");
  EXPECT_EQ(ToNativePath(u"d:\\FTP"), root_ / "drives" / "D" / "ftp");
}

TEST_F(NativePathTest, ExactNameWinsOverOtherSpellings) {
  fs::create_directories(cwd_ / "Pub");
  fs::create_directories(cwd_ / "pub");
  EXPECT_EQ(ToNativePath(u"pub"), cwd_ / "pub");
  EXPECT_EQ(ToNativePath(u"Pub"), cwd_ / "Pub");
  EXPECT_EQ(ToNativePath(u"PUB"), cwd_ / "Pub");  // the first spelling in byte order
}

TEST_F(NativePathTest, LetterCaseMatchingCoversNonAsciiLetters) {
  const fs::path folder = cwd_ / "Ünïcödé Ωμέγα Жук";
  fs::create_directories(folder);
  EXPECT_EQ(ToNativePath(u"üNÏCÖDÉ ΩΜΈΓΑ жУК"), folder);
}

TEST_F(NativePathTest, UndecodableNameBytesSurviveTheRoundTrip) {
  const fs::path odd = cwd_ / std::string("caf\xE9.ini");
  MakeFile(odd);
  const std::u16string text = NativePathToText(odd);
  EXPECT_EQ(ToNativePath(text), odd);
}

// ---- FileExists -----------------------------------------------------------

class FileExistsTest : public TempRootTest {};

TEST_F(FileExistsTest, FilesAndFoldersWhateverTheLetterCase) {
  MakeFile(root_ / "drives" / "c" / "srv" / "ServUDaemon.ini", "x");
  MakeFile(root_ / "drives" / "c" / "Windows" / "only-in-windows.ini", "x");
  MakeFile(cwd_ / "plain.txt", "x");
  const std::pair<const char16_t*, bool> cases[] = {
      {u"C:\\srv\\ServUDaemon.ini", true}, {u"c:\\SRV\\servudaemon.ini", true},
      {u"C:\\srv\\", true},                {u"C:\\nothing.ini", false},
      {u"C:\\missing\\folder\\x.ini", false}, {u"Q:\\x.ini", false},
      {u"", false},                          {u"plain.txt", true},  // bare names: the current folder
      {u"plain.txt\\", false},               {u"plain.txt\\inner.ini", false},
      {u"only-in-windows.ini", false},
  };
  for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << ToNativePath(path);
}

// ---- CreateFolderPath -----------------------------------------------------

class CreateFolderPathTest : public TempRootTest {};

TEST_F(CreateFolderPathTest, CreatesEveryMissingLevelOnceAndKeepsWhatIsThere) {
  fs::create_directories(root_ / "drives" / "d");
  CreateFolderPath(u"D:\\ftp\\sales\\2024\\");
  CreateFolderPath(u"D:/three/four/");
  CreateFolderPath(u"made\\here");
  EXPECT_TRUE(fs::is_directory(root_ / "drives" / "d" / "ftp" / "sales" / "2024"));
  EXPECT_TRUE(fs::is_directory(root_ / "drives" / "d" / "three" / "four"));
  EXPECT_TRUE(fs::is_directory(cwd_ / "made" / "here"));
  MakeFile(root_ / "drives" / "d" / "ftp" / "sales" / "keep.txt", "kept");
  CreateFolderPath(u"D:\\ftp\\sales");
  EXPECT_EQ(ReadBytes(root_ / "drives" / "d" / "ftp" / "sales" / "keep.txt"), "kept");
}

TEST_F(CreateFolderPathTest, MissingDriveIsNotCreated) {
  CreateFolderPath(u"Q:\\x\\y");
  EXPECT_FALSE(fs::exists(root_ / "drives" / "q"));
  CreateFolderPath(u"R:\\");
  EXPECT_FALSE(fs::exists(root_ / "drives" / "r"));
}

TEST_F(CreateFolderPathTest, ExistingFoldersAreReusedWhateverTheirLetterCase) {
  fs::create_directories(root_ / "drives" / "d" / "FTP");
  CreateFolderPath(u"d:\\ftp\\alice");
  EXPECT_TRUE(fs::is_directory(root_ / "drives" / "d" / "FTP" / "alice"));
  EXPECT_FALSE(fs::exists(root_ / "drives" / "d" / "ftp"));
}

TEST_F(CreateFolderPathTest, FileInTheWayStopsNothingAndCreatesNothingBelowIt) {
  MakeFile(cwd_ / "blocker", "x");
  CreateFolderPath(u"blocker\\inner");
  EXPECT_FALSE(fs::exists(cwd_ / "blocker" / "inner"));
  EXPECT_EQ(ReadBytes(cwd_ / "blocker"), "x");
}

}  // namespace
}  // namespace vantrel::storage
