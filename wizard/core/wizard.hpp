// The wizard's behaviour: the four steps and the language switch, free of
// any window system.
#pragma once

#include <string>

#include "core/language_tables.hpp"
#include "core/services.hpp"

namespace vantrel::wizard {

// The values a language leaves for the steps (dialogs and messages).
struct StepValues {
  std::array<DialogRequest, 3> dialogs;  // steps 1..3
  std::u16string libraryNotFound;
  std::u16string serverNotFound;
  std::u16string includePathWrong;
  std::u16string rewriteDone;
};

// The one line the include file holds, CR LF included.
std::u16string IncludeLine(std::u16string_view serverFolder);

class Wizard {
 public:
  Wizard(Form& form, Dialogs& dialogs, RegistrationLauncher& launcher, FileSystem& files,
         std::u16string programFolder, PlatformRules rules);

  // The language procedures: each rewrites every text of the window and the
  // values the steps use. The text boxes keep their contents.
  void Apply(Language language);

  void ChooseLibrary();       // step 1: register the library
  void ChooseServer();        // step 2: locate the FTP server's program
  void ChooseIncludeFile();   // step 3: locate the include file
  void RewriteIncludeFile();  // step 4: write the server folder into it

  bool FileExists(const std::u16string& path);

  Language CurrentLanguage() const { return language_; }
  const FormTexts& Texts() const { return texts_; }
  const StepValues& Values() const { return values_; }
  const std::u16string& ProgramFolder() const { return programFolder_; }

 private:
  void Show(const std::u16string& message);
  std::u16string FolderOf(std::u16string_view path) const;
  std::u16string WithNativeSeparator(std::u16string_view text) const;

  Form& form_;
  Dialogs& dialogs_;
  RegistrationLauncher& launcher_;
  FileSystem& files_;
  std::u16string programFolder_;
  PlatformRules rules_;
  Language language_ = Language::English;
  FormTexts texts_;
  StepValues values_;
};

}  // namespace vantrel::wizard
