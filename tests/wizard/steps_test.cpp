// The four steps, driven through recording stand-ins.
#include <gtest/gtest.h>

#include "core/wizard.hpp"
#include "test_doubles.hpp"

namespace vantrel::wizard {
namespace {

using testing::FakeFileSystem;
using testing::RecordingForm;
using testing::RecordingLauncher;
using testing::ScriptedDialogs;

class Steps : public ::testing::Test {
 protected:
  explicit Steps(PlatformRules rules = PlatformRules::Windows())
      : wizard(form, dialogs, launcher, files, u"D:\\setup", std::move(rules)) {}

  RecordingForm form;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  FakeFileSystem files;
  Wizard wizard;
};

class PosixSteps : public Steps {
 protected:
  PosixSteps() : Steps(PlatformRules::Posix()) {}
};

// --- step 2: locate the FTP server --------------------------------------------

TEST_F(Steps, ServerProgramChosenInAnyLetterCaseIsKeptAsChosen) {
  dialogs.answers = {u"C:\\x\\servudaemon.EXE"};
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"C:\\x\\servudaemon.EXE");
}

TEST_F(Steps, OtherServerFileIsReplacedByTheProgramNameInItsFolder) {
  dialogs.answers = {u"C:\\x\\other.exe", u"C:\\y\\ServUDaemon.exe.bak", u"C:\\z\\daemon.exe"};
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"C:\\x\\ServUDaemon.exe");
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"C:\\y\\ServUDaemon.exe");
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"C:\\z\\ServUDaemon.exe");
}

TEST_F(Steps, CancelledServerDialogLeavesTheBareProgramName) {
  form.text1 = u"C:\\before\\ServUDaemon.exe";
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"ServUDaemon.exe");
}

TEST_F(Steps, ServerDialogOpensInTheServerFolderWithTheLanguagesTitleAndFilter) {
  wizard.ChooseServer();
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].initialFolder, u"C:\\Program Files\\Serv-U");
  EXPECT_EQ(dialogs.requests[0].title, u"Choose ServUDaemon.exe");
  EXPECT_EQ(dialogs.requests[0].Filter(), u"Execute File(*.exe)|*.exe");
}

TEST_F(PosixSteps, ServerFileFixUpUsesTheSlashAsSeparator) {
  dialogs.answers = {u"/srv/ftp/other"};
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"/srv/ftp/ServUDaemon.exe");
}

// --- step 3: locate the include file ------------------------------------------

TEST_F(Steps, IncludeFileChosenInAnyLetterCaseIsKeptAsChosen) {
  dialogs.answers = {u"D:\\site\\Web\\SERVUPATH.ASP"};
  wizard.ChooseIncludeFile();
  EXPECT_EQ(form.text2, u"D:\\site\\Web\\SERVUPATH.ASP");
}

TEST_F(Steps, OtherIncludeFileIsReplacedByTheIncludeNameInItsFolder) {
  dialogs.answers = {u"D:\\site\\Web\\index.asp"};
  wizard.ChooseIncludeFile();
  EXPECT_EQ(form.text2, u"D:\\site\\Web\\ServUPath.asp");
}

TEST_F(Steps, CancelledIncludeDialogLeavesTheBareIncludeName) {
  wizard.ChooseIncludeFile();
  EXPECT_EQ(form.text2, u"ServUPath.asp");
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].initialFolder, u"D:\\setup\\Web");
  EXPECT_EQ(dialogs.requests[0].Filter(), u"Active Server Page File(*.asp)|*.asp");
}

// --- step 1: register the library ---------------------------------------------

TEST_F(Steps, CancelledLibraryDialogReportsTheLibraryMissing) {
  wizard.ChooseLibrary();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"Vantrel Setting Wizard");
  EXPECT_EQ(dialogs.messages[0].text, u"The Vantrel.dll has not found!");
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_TRUE(files.probed.empty()) << "the empty name is missing without asking";
}

TEST_F(Steps, MissingLibraryIsReportedAndNothingStarts) {
  dialogs.answers = {u"C:\\gone\\Vantrel.dll"};
  files.entries[u"C:\\gone\\Vantrel.dll"] = ProbeResult::PathNotFound;
  wizard.ChooseLibrary();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"The Vantrel.dll has not found!");
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(Steps, LibraryPathWithABlankReachesTheToolQuoted) {
  dialogs.answers = {u"  C:\\Program Files\\x\\Vantrel.dll "};
  files.entries[u"C:\\Program Files\\x\\Vantrel.dll"] = ProbeResult::Found;
  wizard.ChooseLibrary();
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], u"\"C:\\Program Files\\x\\Vantrel.dll\"");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Steps, LibraryPathWithoutBlankReachesTheToolBare) {
  dialogs.answers = {u"C:\\x\\Vantrel.dll"};
  files.entries[u"C:\\x\\Vantrel.dll"] = ProbeResult::Found;
  wizard.ChooseLibrary();
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], u"C:\\x\\Vantrel.dll");
}

TEST_F(Steps, AnyExistingFileIsHandedToTheToolEvenWhenTheQueryWasRefused) {
  dialogs.answers = {u"C:\\locked\\notes.txt"};
  files.entries[u"C:\\locked\\notes.txt"] = ProbeResult::OtherFailure;
  wizard.ChooseLibrary();
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], u"C:\\locked\\notes.txt");
}

TEST_F(Steps, LibraryDialogOpensInTheProgramFolder) {
  wizard.ChooseLibrary();
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].initialFolder, u"D:\\setup");
  EXPECT_EQ(dialogs.requests[0].Filter(), u"ActiveX Dll File(*.dll)|*.dll");
  EXPECT_EQ(dialogs.requests[0].extraPattern, u"");
}

TEST_F(Steps, ToolThatCannotStartIsReportedUnderTheApplicationTitle) {
  dialogs.answers = {u"C:\\x\\Vantrel.dll"};
  files.entries[u"C:\\x\\Vantrel.dll"] = ProbeResult::Found;
  launcher.failure = u"no such program";
  wizard.ChooseLibrary();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"Vantrel Setting Wizard");
  EXPECT_EQ(dialogs.messages[0].text, u"no such program");
}

TEST_F(PosixSteps, LibraryPathReachesTheToolAsOneUnquotedArgument) {
  dialogs.answers = {u"/opt/my libs/libvantrel.so"};
  files.entries[u"/opt/my libs/libvantrel.so"] = ProbeResult::Found;
  wizard.ChooseLibrary();
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], u"/opt/my libs/libvantrel.so");
  EXPECT_EQ(dialogs.requests[0].extraPattern, u"*.so");
}

// --- step 4: rewrite the include file -----------------------------------------

TEST_F(Steps, RewriteWritesTheOneIncludeLineWithTheServerFolder) {
  form.text1 = u"C:\\Program Files\\Serv-U\\ServUDaemon.exe";
  form.text2 = u"D:\\site\\Web\\ServUPath.asp";
  files.entries[form.text1] = ProbeResult::Found;
  wizard.RewriteIncludeFile();
  ASSERT_EQ(files.written.size(), 1u);
  EXPECT_EQ(files.written[0].first, u"D:\\site\\Web\\ServUPath.asp");
  EXPECT_EQ(files.written[0].second, "<%const ServUPath=\"C:\\Program Files\\Serv-U\\\"%>\r\n");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"Rewrite the ServUPath.asp successful! ");
}

TEST_F(Steps, QuotesInTheFolderAreWrittenUnescaped) {
  form.text1 = u"C:\\a\"b\\ServUDaemon.exe";
  form.text2 = u"abc";
  files.entries[form.text1] = ProbeResult::Found;
  wizard.RewriteIncludeFile();
  ASSERT_EQ(files.written.size(), 1u);
  EXPECT_EQ(files.written[0].second, "<%const ServUPath=\"C:\\a\"b\\\"%>\r\n");
}

TEST_F(Steps, MissingServerProgramIsReportedWhateverTheIncludePath) {
  for (const std::u16string include : {u"", u"ab", u"D:\\site\\Web\\ServUPath.asp"}) {
    dialogs.messages.clear();
    form.text1 = u"C:\\nowhere\\ServUDaemon.exe";
    form.text2 = include;
    wizard.RewriteIncludeFile();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, u"The ServUDaemon.exe has not found!");
  }
  EXPECT_TRUE(files.written.empty());
}

TEST_F(Steps, EmptyServerPathCountsAsMissing) {
  files.entries[u""] = ProbeResult::Found;
  form.text2 = u"abc";
  wizard.RewriteIncludeFile();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"The ServUDaemon.exe has not found!");
  EXPECT_TRUE(files.written.empty());
}

TEST_F(Steps, IncludePathOfTwoCharactersIsRefusedAndOfThreeIsWritten) {
  form.text1 = u"C:\\s\\ServUDaemon.exe";
  files.entries[form.text1] = ProbeResult::Found;
  form.text2 = u"ab";
  wizard.RewriteIncludeFile();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"Make sure the path of the ServUPath.asp is correct!");
  EXPECT_TRUE(files.written.empty());

  form.text2 = u"abc";
  wizard.RewriteIncludeFile();
  ASSERT_EQ(files.written.size(), 1u);
  EXPECT_EQ(files.written[0].first, u"abc");
  EXPECT_EQ(dialogs.messages.back().text, u"Rewrite the ServUPath.asp successful! ");
}

TEST_F(Steps, ServerFolderPassesTheExistenceTest) {
  form.text1 = u"C:\\Program Files\\Serv-U";  // a folder: the query answers
  form.text2 = u"D:\\ServUPath.asp";
  files.entries[form.text1] = ProbeResult::Found;
  wizard.RewriteIncludeFile();
  ASSERT_EQ(files.written.size(), 1u);
  EXPECT_EQ(files.written[0].second, "<%const ServUPath=\"C:\\Program Files\\\"%>\r\n");
}

TEST_F(Steps, FailedWriteIsReportedAndChangesNothingElse) {
  form.text1 = u"C:\\s\\ServUDaemon.exe";
  form.text2 = u"Z:\\missing\\ServUPath.asp";
  files.entries[form.text1] = ProbeResult::Found;
  files.writeFailure = u"The system cannot find the path specified.";
  wizard.RewriteIncludeFile();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"Vantrel Setting Wizard");
  EXPECT_NE(dialogs.messages[0].text.find(u"Z:\\missing\\ServUPath.asp"), std::u16string::npos);
  EXPECT_NE(dialogs.messages[0].text.find(u"cannot find the path"), std::u16string::npos);
  EXPECT_EQ(form.text1, u"C:\\s\\ServUDaemon.exe");
  EXPECT_EQ(form.text2, u"Z:\\missing\\ServUPath.asp");
}

TEST_F(Steps, FolderTheCodePageCannotHoldIsReportedAndNothingIsWritten) {
  form.text1 = u"C:\\\u4E2D\\ServUDaemon.exe";
  form.text2 = u"D:\\ServUPath.asp";
  files.entries[form.text1] = ProbeResult::Found;
  files.encodingFailure = u"unrepresentable";
  wizard.RewriteIncludeFile();
  EXPECT_TRUE(files.written.empty());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find(u"unrepresentable"), std::u16string::npos);
}

}  // namespace
}  // namespace vantrel::wizard
