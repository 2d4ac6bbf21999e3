#include "storage/paths.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_root.hpp"

namespace vantrel::storage {
namespace {

namespace fs = std::filesystem;
using testing::TempRootTest;

// ---- PathJoin -------------------------------------------------------------

TEST(PathJoin, TrimsSpacesAroundFolderAndName) {
  EXPECT_EQ(PathJoin(u"  C:\\Srv  ", u"  ServUDaemon.ini  "), u"C:\\Srv\\ServUDaemon.ini");
}

TEST(PathJoin, FolderEndingInBackslashGetsNoSecondOne) {
  EXPECT_EQ(PathJoin(u"C:\\Srv\\", u"ServUDaemon.ini"), u"C:\\Srv\\ServUDaemon.ini");
  EXPECT_EQ(PathJoin(u"C:\\Srv\\  ", u"x.ini"), u"C:\\Srv\\x.ini");
}

TEST(PathJoin, EmptyOrBlankFolderGivesTheNameAlone) {
  EXPECT_EQ(PathJoin(u"", u"ServUDaemon.ini"), u"ServUDaemon.ini");
  EXPECT_EQ(PathJoin(u"   ", u" x.ini "), u"x.ini");
}

TEST(PathJoin, NameIsNotExamined) {
  EXPECT_EQ(PathJoin(u"C:\\Srv", u"\\x"), u"C:\\Srv\\\\x");
  EXPECT_EQ(PathJoin(u"C:\\Srv", u""), u"C:\\Srv\\");
}

TEST(PathJoin, OnlySpacesAreTrimmedAndOnlyBackslashCountsAsEnd) {
  EXPECT_EQ(PathJoin(u"\tC:\\a", u"b\t"), u"\tC:\\a\\b\t");
  EXPECT_EQ(PathJoin(u"/srv/", u"x.ini"), u"/srv/\\x.ini");
}

// ---- System root and Windows folder ---------------------------------------

class SystemRootTest : public TempRootTest {};

TEST_F(SystemRootTest, WindowsFolderLiesBelowTheRootFromTheEnvironment) {
  EXPECT_EQ(WindowsFolder(), NativePathToText(root_ / "Windows"));
}

TEST_F(SystemRootTest, RootIsReadAtEveryCall) {
  const fs::path other = top_ / "other";
  ::setenv("VANTREL_ROOT", other.c_str(), 1);
  EXPECT_EQ(SystemRoot(), other);
  EXPECT_EQ(WindowsFolder(), NativePathToText(other / "Windows"));
  EXPECT_EQ(ToNativePath(u"D:\\x"), other / "drives" / "d" / "x");
}

TEST_F(SystemRootTest, UnsetOrEmptyRootFallsBackToTheDefault) {
  ::unsetenv("VANTREL_ROOT");
  EXPECT_EQ(SystemRoot(), fs::path("/var/lib/vantrel"));
  ::setenv("VANTREL_ROOT", "", 1);
  EXPECT_EQ(WindowsFolder(), u"/var/lib/vantrel/Windows");
}

TEST_F(SystemRootTest, RelativeRootIsTakenFromTheCurrentFolder) {
  ::setenv("VANTREL_ROOT", "rel/root", 1);
  EXPECT_EQ(SystemRoot(), cwd_ / "rel" / "root");
}

// ---- Mapping Windows-form paths -------------------------------------------

class NativePathTest : public TempRootTest {};

TEST_F(NativePathTest, DrivePathMapsBelowTheDrivesFolderWithALowerCaseLetter) {
  EXPECT_EQ(ToNativePath(u"C:\\Srv\\ServUDaemon.ini"), root_ / "drives" / "c" / "Srv" / "ServUDaemon.ini");
  EXPECT_EQ(ToNativePath(u"d:/ftp/pub"), root_ / "drives" / "d" / "ftp" / "pub");
  EXPECT_EQ(ToNativePath(u"E:"), root_ / "drives" / "e");
}

TEST_F(NativePathTest, BothSeparatorsAndRepeatsCount) {
  EXPECT_EQ(ToNativePath(u"C:\\a//b\\\\c/"), root_ / "drives" / "c" / "a" / "b" / "c" / "");
  EXPECT_EQ(ToNativePath(u"\\tmp\\x.ini"), fs::path("/tmp/x.ini"));
}

TEST_F(NativePathTest, PosixAbsolutePathIsUsedAsItIs) {
  const fs::path file = MakeFile("data/ServUDaemon.ini", "[GLOBAL]\r\n");
  EXPECT_EQ(ToNativePath(NativePathToText(file)), file);
}

TEST_F(NativePathTest, RelativePathsAndBareNamesResolveInTheCurrentFolder) {
  EXPECT_EQ(ToNativePath(u"ServUDaemon.ini"), cwd_ / "ServUDaemon.ini");
  EXPECT_EQ(ToNativePath(u"sub\\x.ini"), cwd_ / "sub" / "x.ini");
  EXPECT_EQ(ToNativePath(u".\\x.ini"), cwd_ / "x.ini");
  EXPECT_EQ(ToNativePath(u"..\\x.ini"), top_ / "x.ini");
}

TEST_F(NativePathTest, DotsAreResolvedLexicallyAndNeverLeaveTheDrive) {
  EXPECT_EQ(ToNativePath(u"C:\\a\\.\\b\\..\\c"), root_ / "drives" / "c" / "a" / "c");
  EXPECT_EQ(ToNativePath(u"C:\\..\\..\\etc\\passwd"), root_ / "drives" / "c" / "etc" / "passwd");
  EXPECT_EQ(ToNativePath(u"/../../etc"), fs::path("/etc"));
}

TEST_F(NativePathTest, TrailingDotsAndSpacesOfDrivePathNamesAreDropped) {
  EXPECT_EQ(ToNativePath(u"C:\\ftp. \\alice..\\x.ini."), root_ / "drives" / "c" / "ftp" / "alice" / "x.ini");
  EXPECT_EQ(ToNativePath(u"C:\\a\\...\\b"), root_ / "drives" / "c" / "a" / "b");
  EXPECT_EQ(ToNativePath(u"C:\\a\\ .x\\..\\b"), root_ / "drives" / "c" / "a" / "b");
  EXPECT_EQ(ToNativePath(u"name."), cwd_ / "name.");  // POSIX names stay as they are
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

TEST_F(NativePathTest, EmptyPathMapsToNothing) { EXPECT_TRUE(ToNativePath(u"").empty()); }

// ---- FileExists -----------------------------------------------------------

class FileExistsTest : public TempRootTest {};

TEST_F(FileExistsTest, ExistingFileAndFolderCount) {
  MakeFile(root_ / "drives" / "c" / "srv" / "ServUDaemon.ini", "x");
  EXPECT_TRUE(FileExists(u"C:\\srv\\ServUDaemon.ini"));
  EXPECT_TRUE(FileExists(u"C:\\srv"));
  EXPECT_TRUE(FileExists(u"C:\\srv\\"));
  EXPECT_TRUE(FileExists(u"c:\\SRV\\servudaemon.ini"));
}

TEST_F(FileExistsTest, MissingFileFolderOrDriveIsFalse) {
  fs::create_directories(root_ / "drives" / "c");
  EXPECT_FALSE(FileExists(u"C:\\nothing.ini"));
  EXPECT_FALSE(FileExists(u"C:\\missing\\folder\\x.ini"));
  EXPECT_FALSE(FileExists(u"Q:\\x.ini"));
  EXPECT_FALSE(FileExists(u""));
}

TEST_F(FileExistsTest, FileUsedAsAFolderIsFalse) {
  MakeFile(cwd_ / "plain.txt", "x");
  EXPECT_FALSE(FileExists(u"plain.txt\\inner.ini"));
  EXPECT_FALSE(FileExists(u"plain.txt\\"));
  EXPECT_TRUE(FileExists(u"plain.txt"));
}

TEST_F(FileExistsTest, BareNameIsLookedUpInTheCurrentFolderNotTheWindowsFolder) {
  MakeFile(root_ / "Windows" / "only-in-windows.ini", "x");
  MakeFile(cwd_ / "here.ini", "x");
  EXPECT_FALSE(FileExists(u"only-in-windows.ini"));
  EXPECT_TRUE(FileExists(u"here.ini"));
}

// ---- CreateFolderPath -----------------------------------------------------

class CreateFolderPathTest : public TempRootTest {};

TEST_F(CreateFolderPathTest, CreatesEveryMissingLevel) {
  fs::create_directories(root_ / "drives" / "d");
  CreateFolderPath(u"D:\\ftp\\sales\\2024");
  EXPECT_TRUE(fs::is_directory(root_ / "drives" / "d" / "ftp" / "sales" / "2024"));
}

TEST_F(CreateFolderPathTest, SecondCallChangesNothingAndReportsNothing) {
  fs::create_directories(root_ / "drives" / "d");
  CreateFolderPath(u"D:\\a\\b");
  MakeFile(root_ / "drives" / "d" / "a" / "b" / "keep.txt", "kept");
  CreateFolderPath(u"D:\\a\\b");
  EXPECT_EQ(ReadBytes(root_ / "drives" / "d" / "a" / "b" / "keep.txt"), "kept");
}

TEST_F(CreateFolderPathTest, TrailingBackslashMakesNoDifference) {
  fs::create_directories(root_ / "drives" / "d");
  CreateFolderPath(u"D:\\one\\two\\");
  CreateFolderPath(u"D:/three/four/");
  EXPECT_TRUE(fs::is_directory(root_ / "drives" / "d" / "one" / "two"));
  EXPECT_TRUE(fs::is_directory(root_ / "drives" / "d" / "three" / "four"));
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

TEST_F(CreateFolderPathTest, RelativePathIsCreatedInTheCurrentFolder) {
  CreateFolderPath(u"made\\here");
  EXPECT_TRUE(fs::is_directory(cwd_ / "made" / "here"));
}

TEST_F(CreateFolderPathTest, FileInTheWayStopsNothingAndCreatesNothingBelowIt) {
  MakeFile(cwd_ / "blocker", "x");
  CreateFolderPath(u"blocker\\inner");
  EXPECT_FALSE(fs::exists(cwd_ / "blocker" / "inner"));
  EXPECT_EQ(ReadBytes(cwd_ / "blocker"), "x");
}

}  // namespace
}  // namespace vantrel::storage
