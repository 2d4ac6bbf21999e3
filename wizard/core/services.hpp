// What the wizard's steps need from the outside world, as small interfaces:
// the window's texts and text boxes, the Open dialog and message boxes, the
// registration launcher and the file system. The front ends implement them
// with real windows; the tests with recorders.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/path_rules.hpp"

namespace vantrel::wizard {

// Every language-dependent text the window shows.
struct FormTexts {
  std::u16string fontName;
  std::u16string title;  // the window caption and the application title
  std::array<std::u16string, 4> frameCaptions;
  std::array<std::u16string, 4> commandCaptions;
  std::u16string label1;
  std::u16string label5;
};

// One Open dialog: where it opens, its title and its filter.
struct DialogRequest {
  std::u16string initialFolder;
  std::u16string title;
  std::u16string filterDescription;
  std::u16string filterPattern;
  std::u16string extraPattern;  // one more pattern the platform offers, or empty

  // The filter in the common dialog's form: description, "|", pattern.
  std::u16string Filter() const { return filterDescription + u"|" + filterPattern; }
};

// The window: it shows the texts and owns the two text boxes.
class Form {
 public:
  virtual ~Form() = default;
  virtual void ShowTexts(const FormTexts& texts) = 0;
  virtual std::u16string ServerPathText() const = 0;  // Text1
  virtual void SetServerPathText(const std::u16string& text) = 0;
  virtual std::u16string IncludePathText() const = 0;  // Text2
  virtual void SetIncludePathText(const std::u16string& text) = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the Open dialog; returns the chosen file name, empty when cancelled.
  virtual std::u16string ChooseFile(const DialogRequest& request) = 0;
  // A plain message box with an OK button and the given title.
  virtual void ShowMessage(const std::u16string& title, const std::u16string& text) = 0;
};

class RegistrationLauncher {
 public:
  virtual ~RegistrationLauncher() = default;
  // Starts the registration tool on the library without waiting for it.
  // Returns a description when the tool could not be started at all.
  virtual std::optional<std::u16string> Start(const std::u16string& parameter) = 0;
};

// Text converted to the system's ANSI code page, or why it could not be.
struct AnsiText {
  std::optional<std::string> bytes;
  std::u16string error;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual ProbeResult Probe(const std::u16string& path) = 0;
  virtual AnsiText ToAnsi(std::u16string_view text) = 0;
  // Replaces the file's whole content in one step (a reader sees the old
  // content or the new, never a mix). Returns a description on failure,
  // in which case the file is unchanged.
  virtual std::optional<std::u16string> ReplaceContents(const std::u16string& path,
                                                        const std::string& bytes) = 0;
};

// How the platform spells paths and starts the registration tool.
struct PlatformRules {
  Separators separators;
  char16_t nativeSeparator;
  bool quoteBlankPaths;              // the tool gets one command-line string
  std::u16string extraLibraryPattern;  // offered next to "*.dll" in step 1

  static PlatformRules Windows() { return {Separators::BackslashOnly, u'\\', true, {}}; }
  static PlatformRules Posix() { return {Separators::BackslashAndSlash, u'/', false, u"*.so"}; }
};

}  // namespace vantrel::wizard
