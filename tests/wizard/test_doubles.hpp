// Recording stand-ins for the wizard's window, dialogs, launcher and files.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "automation/text.hpp"
#include "core/services.hpp"
#include "core/wizard.hpp"

namespace vantrel::wizard::testing {

class RecordingForm : public Form {
 public:
  void ShowTexts(const FormTexts& texts) override {
    shown = texts;
    ++showCount;
  }
  std::u16string ServerPathText() const override { return text1; }
  void SetServerPathText(const std::u16string& text) override { text1 = text; }
  std::u16string IncludePathText() const override { return text2; }
  void SetIncludePathText(const std::u16string& text) override { text2 = text; }

  FormTexts shown;
  int showCount = 0;
  std::u16string text1;
  std::u16string text2;
};

struct Message {
  std::u16string title;
  std::u16string text;
};

// Answers Open dialogs from a script (an empty answer is a cancelled dialog).
class ScriptedDialogs : public Dialogs {
 public:
  std::u16string ChooseFile(const DialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {};
    std::u16string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowMessage(const std::u16string& title, const std::u16string& text) override {
    messages.push_back({title, text});
  }

  std::deque<std::u16string> answers;
  std::vector<DialogRequest> requests;
  std::vector<Message> messages;
};

class RecordingLauncher : public RegistrationLauncher {
 public:
  std::optional<std::u16string> Start(const std::u16string& parameter) override {
    started.push_back(parameter);
    return failure;
  }
  std::vector<std::u16string> started;
  std::optional<std::u16string> failure;
};

// Paths exist only when listed; writes are recorded instead of made.
class FakeFileSystem : public FileSystem {
 public:
  ProbeResult Probe(const std::u16string& path) override {
    probed.push_back(path);
    const auto found = entries.find(path);
    return found == entries.end() ? ProbeResult::FileNotFound : found->second;
  }
  AnsiText ToAnsi(std::u16string_view text) override {
    if (encodingFailure) return {std::nullopt, *encodingFailure};
    return {automation::ToUtf8(text), {}};
  }
  std::optional<std::u16string> ReplaceContents(const std::u16string& path,
                                                const std::string& bytes) override {
    if (writeFailure) return writeFailure;
    written.emplace_back(path, bytes);
    return std::nullopt;
  }

  std::map<std::u16string, ProbeResult> entries;
  std::vector<std::u16string> probed;
  std::vector<std::pair<std::u16string, std::string>> written;
  std::optional<std::u16string> writeFailure;
  std::optional<std::u16string> encodingFailure;
};

// A wizard over the stand-ins, for a program folder of D:\setup.
class WizardTest : public ::testing::Test {
 protected:
  explicit WizardTest(PlatformRules rules = PlatformRules::Windows())
      : wizard(form, dialogs, launcher, files, u"D:\\setup", std::move(rules)) {}

  RecordingForm form;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  FakeFileSystem files;
  Wizard wizard;
};

}  // namespace vantrel::wizard::testing
