// The language procedures: which texts each applies, and what survives a switch.
#include <gtest/gtest.h>

#include <set>

#include "core/wizard.hpp"
#include "test_doubles.hpp"

namespace vantrel::wizard {
namespace {

using testing::FakeFileSystem;
using testing::RecordingForm;
using testing::RecordingLauncher;
using testing::ScriptedDialogs;
using Languages = testing::WizardTest;

std::u16string Str(std::u16string_view text) { return std::u16string(text); }

// Every window text and step value equals the language's own table entry.
void ExpectLanguageApplied(const Wizard& wizard, const RecordingForm& form, Language language) {
  const LanguageTable& table = TableOf(language);
  EXPECT_EQ(form.shown.fontName, table.fontName);
  EXPECT_EQ(form.shown.title, table.wizardTitle);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(form.shown.frameCaptions[i], table.frameCaptions[i]) << "Frame" << i + 1;
    EXPECT_EQ(form.shown.commandCaptions[i], table.commandCaptions[i]) << "Command" << i + 1;
  }
  EXPECT_EQ(form.shown.label1, Str(table.rewriteNoteBeforeFolder) + u"D:\\setup" + Str(table.rewriteNoteAfterFolder));
  EXPECT_EQ(form.shown.label5, table.label5Caption);
  const StepValues& values = wizard.Values();
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(values.dialogs[i].title, table.dialogTitles[i]) << "step " << i + 1;
    EXPECT_EQ(values.dialogs[i].Filter(), Str(table.dialogFilters[i].description) + u"|" +
                                              Str(table.dialogFilters[i].pattern));
  }
  EXPECT_EQ(values.dialogs[0].initialFolder, u"D:\\setup");
  EXPECT_EQ(values.dialogs[1].initialFolder, u"C:\\Program Files\\Serv-U");
  EXPECT_EQ(values.dialogs[2].initialFolder, u"D:\\setup\\Web");
  EXPECT_EQ(values.libraryNotFound, table.libraryNotFound);
  EXPECT_EQ(values.serverNotFound, table.serverNotFound);
  EXPECT_EQ(values.includePathWrong, table.includePathWrong);
  EXPECT_EQ(values.rewriteDone, table.rewriteDone);
  EXPECT_EQ(wizard.CurrentLanguage(), language);
}

TEST_F(Languages, WindowStartsInEnglishBeforeAnyStep) {
  EXPECT_EQ(form.showCount, 1);
  ExpectLanguageApplied(wizard, form, Language::English);
  EXPECT_EQ(form.shown.label1,
            u"Then publish D:\\setup\\Web as a sub directory on your website.");
}

TEST_F(Languages, EachProcedureAppliesEveryTextOfItsLanguage) {
  wizard.Apply(Language::SimplifiedChinese);
  ExpectLanguageApplied(wizard, form, Language::SimplifiedChinese);
  wizard.Apply(Language::TraditionalChinese);
  ExpectLanguageApplied(wizard, form, Language::TraditionalChinese);
  wizard.Apply(Language::Japanese);
  ExpectLanguageApplied(wizard, form, Language::Japanese);
  wizard.Apply(Language::English);
  ExpectLanguageApplied(wizard, form, Language::English);
}

TEST_F(Languages, SwitchingKeepsTheTextBoxesAndStepFourSpeaksTheNewLanguage) {
  dialogs.answers = {u"C:\\s\\other.exe", u"D:\\w\\ServUPath.asp"};
  wizard.ChooseServer();
  wizard.ChooseIncludeFile();
  wizard.Apply(Language::SimplifiedChinese);
  EXPECT_EQ(form.text1, u"C:\\s\\ServUDaemon.exe");
  EXPECT_EQ(form.text2, u"D:\\w\\ServUPath.asp");
  wizard.RewriteIncludeFile();  // the server program does not exist
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"Vantrel 设置向导");
  EXPECT_EQ(dialogs.messages[0].text, u"应用程序ServUDaemon.exe没有找到！");
}

TEST_F(Languages, JapaneseDialogsOpenInTheSameFoldersAsTheOthers) {
  wizard.Apply(Language::Japanese);
  wizard.ChooseServer();
  wizard.ChooseIncludeFile();
  wizard.ChooseLibrary();
  ASSERT_EQ(dialogs.requests.size(), 3u);
  EXPECT_EQ(dialogs.requests[0].initialFolder, u"C:\\Program Files\\Serv-U");
  EXPECT_EQ(dialogs.requests[1].initialFolder, u"D:\\setup\\Web");
  EXPECT_EQ(dialogs.requests[2].initialFolder, u"D:\\setup");
  EXPECT_EQ(dialogs.requests[0].title, u"ServUDaemon.exe選択");
  EXPECT_EQ(dialogs.requests[1].Filter(), u"ASPアクションページ(*.asp)|*.asp");
}

TEST(LanguageTexts, NoLanguageBorrowsAnotherLanguagesWords) {
  // Apart from the font the two Chinese share and the patterns, a text of one
  // language appears in no other: a copy slip between tables shows here.
  std::set<std::u16string_view> seen;
  for (Language language : kAllLanguages) {
    const LanguageTable& t = TableOf(language);
    std::vector<std::u16string_view> texts = {
        t.wizardTitle,     t.rewriteNoteBeforeFolder, t.rewriteNoteAfterFolder, t.label5Caption,
        t.libraryNotFound, t.serverNotFound,          t.includePathWrong,       t.rewriteDone};
    for (auto text : t.frameCaptions) texts.push_back(text);
    for (auto text : t.commandCaptions) texts.push_back(text);
    for (const auto& filter : t.dialogFilters) texts.push_back(filter.description);
    std::set<std::u16string_view> own;
    for (auto text : texts) {
      EXPECT_FALSE(text.empty());
      own.insert(text);
    }
    for (auto text : own) EXPECT_TRUE(seen.insert(text).second) << "shared text";
  }
}

TEST(PosixLanguages, LabelFolderUsesTheNativeSeparator) {
  RecordingForm form;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  FakeFileSystem files;
  Wizard wizard{form, dialogs, launcher, files, u"/opt/vantrel", PlatformRules::Posix()};
  EXPECT_EQ(form.shown.label1, u"Then publish /opt/vantrel/Web as a sub directory on your website.");
  EXPECT_EQ(wizard.Values().dialogs[2].initialFolder, u"/opt/vantrel/Web");
  wizard.Apply(Language::Japanese);
  EXPECT_EQ(form.shown.label1.substr(0, 16), u"そして/opt/vantrel\uFFE5");
}

}  // namespace
}  // namespace vantrel::wizard
