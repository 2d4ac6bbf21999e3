// The four steps, driven through recording stand-ins.
#include <gtest/gtest.h>

#include "core/wizard.hpp"
#include "test_doubles.hpp"

namespace vantrel::wizard {
namespace {

using testing::RecordingForm;
using Steps = testing::WizardTest;

class PosixSteps : public testing::WizardTest {
 protected:
  PosixSteps() : WizardTest(PlatformRules::Posix()) {}
};

// --- steps 2 and 3: locate the FTP server and the include file ----------------

// A chosen file of the right name is kept as chosen, in any letter case;
// another file becomes the right name in its folder; a cancel leaves the bare name.
TEST_F(Steps, ChosenFilesAreFixedUpToTheExpectedName) {
  const struct {
    void (Wizard::*choose)();
    std::u16string RecordingForm::*box;
    std::u16string answer;
    std::u16string shown;
  } cases[] = {
      {&Wizard::ChooseServer, &RecordingForm::text1, u"C:\\x\\servudaemon.EXE", u"C:\\x\\servudaemon.EXE"},
      {&Wizard::ChooseServer, &RecordingForm::text1, u"C:\\x\\other.exe", u"C:\\x\\ServUDaemon.exe"},
      {&Wizard::ChooseServer, &RecordingForm::text1, u"C:\\y\\ServUDaemon.exe.bak", u"C:\\y\\ServUDaemon.exe"},
      {&Wizard::ChooseServer, &RecordingForm::text1, u"C:\\z\\daemon.exe", u"C:\\z\\ServUDaemon.exe"},
      {&Wizard::ChooseServer, &RecordingForm::text1, u"", u"ServUDaemon.exe"},
      {&Wizard::ChooseIncludeFile, &RecordingForm::text2, u"D:\\site\\Web\\SERVUPATH.ASP", u"D:\\site\\Web\\SERVUPATH.ASP"},
      {&Wizard::ChooseIncludeFile, &RecordingForm::text2, u"D:\\site\\Web\\index.asp", u"D:\\site\\Web\\ServUPath.asp"},
      {&Wizard::ChooseIncludeFile, &RecordingForm::text2, u"", u"ServUPath.asp"},
  };
  for (const auto& c : cases) {
    form.*c.box = u"C:\\before\\ServUDaemon.exe";
    if (!c.answer.empty()) dialogs.answers = {c.answer};
    (wizard.*c.choose)();
    EXPECT_EQ(form.*c.box, c.shown) << std::string(c.answer.begin(), c.answer.end());
  }
}

TEST_F(PosixSteps, ServerFileFixUpUsesTheSlashAsSeparator) {
  dialogs.answers = {u"/srv/ftp/other"};
  wizard.ChooseServer();
  EXPECT_EQ(form.text1, u"/srv/ftp/ServUDaemon.exe");
}

// --- step 1: register the library ---------------------------------------------

TEST_F(Steps, CancelledOrMissingLibraryIsReportedAndNothingStarts) {
  wizard.ChooseLibrary();  // cancelled
  EXPECT_TRUE(files.probed.empty()) << "the empty name is missing without asking";
  dialogs.answers = {u"C:\\gone\\Vantrel.dll"};
  files.entries[u"C:\\gone\\Vantrel.dll"] = ProbeResult::PathNotFound;
  wizard.ChooseLibrary();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  for (const auto& message : dialogs.messages) {
    EXPECT_EQ(message.title, u"Vantrel Setting Wizard");
    EXPECT_EQ(message.text, u"The Vantrel.dll has not found!");
  }
  EXPECT_TRUE(launcher.started.empty());
}

// Any file the query does not call missing reaches the tool, quoted when it holds a blank.
TEST_F(Steps, ExistingLibraryReachesTheToolQuotedOnlyWhenItHoldsABlank) {
  const struct {
    std::u16string answer;
    std::u16string probed;
    ProbeResult probe;
    std::u16string started;
  } cases[] = {
      {u"  C:\\Program Files\\x\\Vantrel.dll ", u"C:\\Program Files\\x\\Vantrel.dll", ProbeResult::Found,
       u"\"C:\\Program Files\\x\\Vantrel.dll\""},
      {u"C:\\x\\Vantrel.dll", u"C:\\x\\Vantrel.dll", ProbeResult::Found, u"C:\\x\\Vantrel.dll"},
      {u"C:\\locked\\notes.txt", u"C:\\locked\\notes.txt", ProbeResult::OtherFailure, u"C:\\locked\\notes.txt"},
  };
  for (const auto& c : cases) {
    launcher.started.clear();
    dialogs.answers = {c.answer};
    files.entries[c.probed] = c.probe;
    wizard.ChooseLibrary();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0], c.started);
  }
  EXPECT_TRUE(dialogs.messages.empty());
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
  const std::pair<std::u16string, std::string> cases[] = {
      {u"C:\\Program Files\\Serv-U\\ServUDaemon.exe", "<%const ServUPath=\"C:\\Program Files\\Serv-U\\\"%>\r\n"},
      {u"C:\\a\"b\\ServUDaemon.exe", "<%const ServUPath=\"C:\\a\"b\\\"%>\r\n"},  // quotes go unescaped
      {u"C:\\Program Files\\Serv-U", "<%const ServUPath=\"C:\\Program Files\\\"%>\r\n"},  // a folder exists too
  };
  form.text2 = u"D:\\site\\Web\\ServUPath.asp";
  for (const auto& [server, line] : cases) {
    files.written.clear();
    form.text1 = server;
    files.entries[server] = ProbeResult::Found;
    wizard.RewriteIncludeFile();
    ASSERT_EQ(files.written.size(), 1u);
    EXPECT_EQ(files.written[0].first, u"D:\\site\\Web\\ServUPath.asp");
    EXPECT_EQ(files.written[0].second, line);
    EXPECT_EQ(dialogs.messages.back().text, u"Rewrite the ServUPath.asp successful! ");
  }
}

TEST_F(Steps, MissingOrEmptyServerProgramIsReportedWhateverTheIncludePath) {
  files.entries[u""] = ProbeResult::Found;  // the empty name is missing without asking
  for (const std::u16string include : {u"", u"ab", u"D:\\site\\Web\\ServUPath.asp"}) {
    for (const std::u16string server : {u"C:\\nowhere\\ServUDaemon.exe", u""}) {
      dialogs.messages.clear();
      form.text1 = server;
      form.text2 = include;
      wizard.RewriteIncludeFile();
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0].text, u"The ServUDaemon.exe has not found!");
    }
  }
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
