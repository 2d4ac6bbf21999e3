#include "core/wizard.hpp"

#include <utility>

#include "storage/blanks.hpp"

namespace vantrel::wizard {
namespace {

constexpr std::u16string_view kServerProgram = u"ServUDaemon.exe";
constexpr std::u16string_view kServerProgramLower = u"servudaemon.exe";
constexpr std::u16string_view kIncludeFile = u"ServUPath.asp";
constexpr std::u16string_view kIncludeFileLower = u"servupath.asp";
constexpr std::size_t kShortestIncludePath = 3;

DialogRequest RequestFrom(const LanguageTable& table, std::size_t step, std::u16string folder) {
  DialogRequest request;
  request.initialFolder = std::move(folder);
  request.title = table.dialogTitles[step];
  request.filterDescription = table.dialogFilters[step].description;
  request.filterPattern = table.dialogFilters[step].pattern;
  return request;
}

}  // namespace

std::u16string IncludeLine(std::u16string_view serverFolder) {
  std::u16string line = u"<%const ServUPath=\"";
  line += serverFolder;
  line += u"\"%>\r\n";
  return line;
}

Wizard::Wizard(Form& form, Dialogs& dialogs, RegistrationLauncher& launcher, FileSystem& files,
               std::u16string programFolder, PlatformRules rules)
    : form_(form),
      dialogs_(dialogs),
      launcher_(launcher),
      files_(files),
      programFolder_(std::move(programFolder)),
      rules_(std::move(rules)) {
  // The window comes up in English every time: nothing is remembered.
  Apply(Language::English);
}

std::u16string Wizard::WithNativeSeparator(std::u16string_view text) const {
  std::u16string result(text);
  if (!result.empty() && result.front() == u'\\') result.front() = rules_.nativeSeparator;
  return result;
}

void Wizard::Apply(Language language) {
  const LanguageTable& table = TableOf(language);
  language_ = language;

  FormTexts texts;
  texts.fontName = table.fontName;
  texts.title = table.wizardTitle;
  for (std::size_t i = 0; i < 4; ++i) {
    texts.frameCaptions[i] = table.frameCaptions[i];
    texts.commandCaptions[i] = table.commandCaptions[i];
  }
  texts.label1 = std::u16string(table.rewriteNoteBeforeFolder) + programFolder_ +
                 WithNativeSeparator(table.rewriteNoteAfterFolder);
  texts.label5 = table.label5Caption;

  StepValues values;
  values.dialogs[0] = RequestFrom(table, 0, programFolder_);
  values.dialogs[0].extraPattern = rules_.extraLibraryPattern;
  values.dialogs[1] = RequestFrom(table, 1, std::u16string(kServerDialogFolder));
  std::u16string webFolder = programFolder_;
  if (webFolder.empty() || webFolder.back() != rules_.nativeSeparator)
    webFolder += rules_.nativeSeparator;
  webFolder += u"Web";
  values.dialogs[2] = RequestFrom(table, 2, std::move(webFolder));
  values.libraryNotFound = table.libraryNotFound;
  values.serverNotFound = table.serverNotFound;
  values.includePathWrong = table.includePathWrong;
  values.rewriteDone = table.rewriteDone;

  texts_ = std::move(texts);
  values_ = std::move(values);
  form_.ShowTexts(texts_);
}

bool Wizard::FileExists(const std::u16string& path) {
  if (path.empty()) return false;
  return FileExistsFrom(path, files_.Probe(path));
}

std::u16string Wizard::FolderOf(std::u16string_view path) const {
  return vantrel::wizard::FolderOf(path, rules_.separators);
}

void Wizard::Show(const std::u16string& message) { dialogs_.ShowMessage(texts_.title, message); }

void Wizard::ChooseLibrary() {
  const std::u16string library = std::u16string(storage::TrimSpaces(dialogs_.ChooseFile(values_.dialogs[0])));
  if (!FileExists(library)) {
    Show(values_.libraryNotFound);
    return;
  }
  // Any existing file is accepted; the registration tool judges it and
  // reports success or failure itself.
  const std::u16string parameter = rules_.quoteBlankPaths ? QuoteIfBlank(library) : library;
  if (auto failure = launcher_.Start(parameter)) Show(*failure);
}

void Wizard::ChooseServer() {
  std::u16string chosen = dialogs_.ChooseFile(values_.dialogs[1]);
  if (!EndsWithIgnoringCase(chosen, kServerProgramLower))
    chosen = FolderOf(chosen) + std::u16string(kServerProgram);
  form_.SetServerPathText(chosen);
}

void Wizard::ChooseIncludeFile() {
  std::u16string chosen = dialogs_.ChooseFile(values_.dialogs[2]);
  if (!EndsWithIgnoringCase(chosen, kIncludeFileLower))
    chosen = FolderOf(chosen) + std::u16string(kIncludeFile);
  form_.SetIncludePathText(chosen);
}

void Wizard::RewriteIncludeFile() {
  const std::u16string server = form_.ServerPathText();
  if (!FileExists(server)) {
    Show(values_.serverNotFound);
    return;
  }
  const std::u16string include = form_.IncludePathText();
  if (include.size() < kShortestIncludePath) {
    Show(values_.includePathWrong);
    return;
  }
  const AnsiText line = files_.ToAnsi(IncludeLine(FolderOf(server)));
  if (!line.bytes) {
    Show(u"Cannot write " + include + u": " + line.error);
    return;
  }
  if (auto failure = files_.ReplaceContents(include, *line.bytes)) {
    Show(u"Cannot write " + include + u": " + *failure);
    return;
  }
  Show(values_.rewriteDone);
}

}  // namespace vantrel::wizard
