// Runs the wizard's golden cases (cases/*.case, see cases/README.md): the
// answers of the Open dialogs, what the file system says of paths and the
// failures to simulate, then the window's steps, each followed by every call
// the wizard made on its window, dialogs, launcher and files. One test per case.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <regex>

#include "automation/text.hpp"
#include "case_file.hpp"
#include "core/wizard.hpp"

namespace vantrel::wizard {
namespace {

using automation::FromUtf8;
using automation::ToUtf8;
using vantrel::testing::Case;

std::string Quote(std::u16string_view text) {
  return "\"" + std::regex_replace(ToUtf8(text), std::regex("\""), "\"\"") + "\"";
}

std::string Quote(const std::array<std::u16string, 4>& texts) {
  return Quote(texts[0]) + " " + Quote(texts[1]) + " " + Quote(texts[2]) + " " + Quote(texts[3]);
}

// The services of the wizard, answering from the case and writing down each call as a line.
class Transcript final : public Form, public Dialogs, public RegistrationLauncher, public FileSystem {
 public:
  void ShowTexts(const FormTexts& t) override {
    Log("font " + Quote(t.fontName) + " title " + Quote(t.title));
    Log("frames " + Quote(t.frameCaptions));
    Log("commands " + Quote(t.commandCaptions));
    Log("label1 " + Quote(t.label1) + " label5 " + Quote(t.label5));
  }
  std::u16string ServerPathText() const override { return text1; }
  void SetServerPathText(const std::u16string& text) override { Log("text1 " + Quote(text1 = text)); }
  std::u16string IncludePathText() const override { return text2; }
  void SetIncludePathText(const std::u16string& text) override { Log("text2 " + Quote(text2 = text)); }
  std::u16string ChooseFile(const DialogRequest& r) override {
    Log("dialog " + Quote(r.initialFolder) + " " + Quote(r.title) + " " + Quote(r.Filter()) + " " + Quote(r.extraPattern));
    if (answers.empty()) return {};
    const std::u16string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowMessage(const std::u16string& title, const std::u16string& text) override {
    Log("message " + Quote(title) + " " + Quote(text));
  }
  std::optional<std::u16string> Start(const std::u16string& parameter) override {
    Log("start " + Quote(parameter));
    return failures[u"start"];
  }
  ProbeResult Probe(const std::u16string& path) override {
    Log("probe " + Quote(path));
    return probes.count(path) ? probes[path] : ProbeResult::FileNotFound;
  }
  AnsiText ToAnsi(std::u16string_view text) override {
    if (failures[u"ansi"]) return {std::nullopt, *failures[u"ansi"]};
    return {ToUtf8(text), {}};
  }
  std::optional<std::u16string> ReplaceContents(const std::u16string& path, const std::string& bytes) override {
    Log("write " + Quote(path) + " " + Quote(FromUtf8(std::regex_replace(bytes, std::regex("\r\n"), "\\r\\n"))));
    return failures[u"write"];
  }

  std::vector<std::string> lines;
  std::u16string text1, text2;
  std::deque<std::u16string> answers;  // an empty one cancels the dialog
  std::map<std::u16string, ProbeResult> probes;
  std::map<std::u16string, std::optional<std::u16string>> failures;  // of "start", "write", "ansi"

 private:
  void Log(const std::string& line) { lines.push_back(line); }
};

// The words of a line: quoted texts ("" stands for a quote) and bare words.
std::vector<std::u16string> Words(const std::string& line) {
  static const std::regex word(R"re("((?:[^"]|"")*)"|(\S+))re");
  std::vector<std::u16string> words;
  for (std::sregex_iterator it(line.begin(), line.end(), word), end; it != end; ++it)
    words.push_back(FromUtf8((*it)[1].matched ? std::regex_replace((*it)[1].str(), std::regex("\"\""), "\"")
                                              : (*it)[2].str()));
  return words;
}

const std::map<std::u16string, ProbeResult> kProbeResults{
    {u"Found", ProbeResult::Found}, {u"FileNotFound", ProbeResult::FileNotFound},
    {u"PathNotFound", ProbeResult::PathNotFound}, {u"OtherFailure", ProbeResult::OtherFailure}};
const std::map<std::u16string, Language> kLanguages{
    {u"English", Language::English}, {u"SimplifiedChinese", Language::SimplifiedChinese},
    {u"TraditionalChinese", Language::TraditionalChinese}, {u"Japanese", Language::Japanese}};

class WizardCase : public ::testing::TestWithParam<Case> {};

TEST_P(WizardCase, Runs) {
  const Case& c = GetParam();
  ASSERT_TRUE(c.error.empty()) << c.where << "\n" << c.error;
  Transcript services;
  std::u16string program = u"D:\\setup";
  PlatformRules rules = PlatformRules::Windows();
  std::optional<Wizard> wizard;
  for (const auto& call : c.calls) {
    const std::vector<std::u16string> w = Words(call.text);
    const std::u16string& verb = w.at(0);
    const std::u16string arg = w.size() > 1 ? w[1] : u"";
    services.lines.clear();
    if (verb == u"posix") rules = PlatformRules::Posix();
    else if (verb == u"program") program = arg;
    else if (verb == u"answer") services.answers.push_back(arg);
    else if (verb == u"probe") services.probes[arg] = kProbeResults.at(w.at(2));
    else if (verb == u"fails") services.failures[arg] = w.at(2);
    else if (verb == u"text1") services.text1 = arg;
    else if (verb == u"text2") services.text2 = arg;
    else if (verb == u"Open") wizard.emplace(services, services, services, services, program, rules);
    else if (verb == u"Apply") wizard->Apply(kLanguages.at(arg));
    else if (verb == u"ChooseLibrary") wizard->ChooseLibrary();
    else if (verb == u"ChooseServer") wizard->ChooseServer();
    else if (verb == u"ChooseIncludeFile") wizard->ChooseIncludeFile();
    else if (verb == u"RewriteIncludeFile") wizard->RewriteIncludeFile();
    else FAIL() << c.where << " line " << call.line << ": unknown " << call.text;
    EXPECT_EQ(services.lines, call.rows) << c.where << " line " << call.line << ": " << call.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Golden, WizardCase, ::testing::ValuesIn(vantrel::testing::ReadCases(VANTREL_WIZARD_CASES_DIR)),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace vantrel::wizard
