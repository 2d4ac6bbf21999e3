#include "cli_support.hpp"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <iostream>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "automation/runtime/runtime.hpp"
#include "admin/settings_file.hpp"
#include "automation/text.hpp"
#include "model/names.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
namespace rt = vantrel::automation::runtime;

bool HasMember(const au::Object& object, std::u16string_view name) {
  return au::FindMember(au::ClassOf(object), name).has_value();
}

std::string StripLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

// Reads one line from the terminal with echo switched off.
std::string PromptWithoutEcho(const std::string& prompt) {
  std::cerr << prompt << std::flush;
  termios old{};
  const bool canHide = ::tcgetattr(STDIN_FILENO, &old) == 0;
  if (canHide) {
    termios quiet = old;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  std::string line;
  std::getline(std::cin, line);
  if (canHide) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
  std::cerr << '\n';
  return StripLineEnd(line);
}

}  // namespace

au::Ref<au::Object> CreateManager(std::u16string_view progId) { return rt::CreateObject(progId); }

au::Variant GetProperty(au::Object& object, std::u16string_view name) {
  return rt::InvokeByName(object, name, rt::kPropertyGet, {});
}

void LetProperty(au::Object& object, std::u16string_view name, au::Variant value) {
  std::vector<au::Variant> args{std::move(value)};
  rt::InvokeByName(object, name, rt::kPropertyPut, args);
}

au::Variant CallMethod(au::Object& object, std::u16string_view name, std::vector<au::Variant> args) {
  return rt::InvokeByName(object, name, rt::kMethod | rt::kPropertyGet, args);
}

std::string StringProperty(au::Object& object, std::u16string_view name) {
  const au::Variant v = GetProperty(object, name);
  return v.IsEmpty() ? std::string() : au::ToUtf8(au::ToString(v));
}

std::string ServUPathOf(const GlobalOptions& options) { return options.servuPath.empty() ? "." : options.servuPath; }

std::string ReadPassword(bool fromStdin, const std::string& prompt) {
  if (fromStdin) {
    std::string line;
    std::getline(std::cin, line);
    return StripLineEnd(line);
  }
  if (const char* fromEnvironment = std::getenv("VANTREL_PASSWORD")) return fromEnvironment;
  if (::isatty(STDIN_FILENO)) return PromptWithoutEcho(prompt);
  throw UsageError{"no password given and standard input is not a terminal: set VANTREL_PASSWORD, or pass "
                   "--password-stdin and write the password as the first line of standard input"};
}

void SetServUPath(au::Object& object, const GlobalOptions& options) {
  if (HasMember(object, m::AnyClass::ServUPath))
    LetProperty(object, m::AnyClass::ServUPath, au::FromUtf8(ServUPathOf(options)));
}

void SetCredentials(au::Object& object, const GlobalOptions& options, const std::string& password) {
  if (options.admin.empty()) return;
  const bool administrator = HasMember(object, m::AnyClass::Administrator);
  LetProperty(object, administrator ? m::AnyClass::Administrator : m::AnyClass::AdminName, au::FromUtf8(options.admin));
  LetProperty(object, administrator ? m::AnyClass::Password : m::AnyClass::AdminPassword, au::FromUtf8(password));
}

std::string CredentialsPassword(const GlobalOptions& options, bool fromStdin) {
  if (options.admin.empty()) return {};
  return ReadPassword(fromStdin, "Password for " + options.admin + ": ");
}

void Table::Print(std::ostream& out, const std::string& indent) const {
  std::vector<std::size_t> width(header.size());
  for (std::size_t c = 0; c < header.size(); ++c) width[c] = header[c].size();
  for (const auto& row : rows)
    for (std::size_t c = 0; c < row.size() && c < width.size(); ++c) width[c] = std::max(width[c], row[c].size());
  auto line = [&](const std::vector<std::string>& cells) {
    std::string text = indent;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      text += cells[c];
      if (c + 1 < cells.size() && c < width.size()) text += std::string(width[c] - cells[c].size() + 2, ' ');
    }
    out << text << '\n';
  };
  line(header);
  for (const auto& row : rows) line(row);
}

int RunGuarded(const std::function<int()>& body) {
  try {
    return body();
  } catch (const au::AutomationError& e) {
    PrintError(au::ToUtf8(e.Description()), e.Number());
    return kUsageOrAutomationError;
  } catch (const UsageError& e) {
    PrintError(e.message);
    return kUsageOrAutomationError;
  }
}

int OperationOutcome(au::Object& object, std::u16string_view operation, bool result, const GlobalOptions& options,
                     const std::string& successText, nlohmann::json details) {
  const std::string message = StringProperty(object, m::AnyClass::ErrorMsg);
  if (options.json) {
    details[au::ToUtf8(operation)] = result;
    details["ErrorMsg"] = message;
    std::cout << details.dump(2) << '\n';
  } else if (result) {
    if (!successText.empty()) std::cout << successText << '\n';
  }
  if (result) return kSuccess;
  if (const std::string missing = MissingSettingsFile(); !missing.empty()) {
    // Without the settings file no one has rights: say what to do instead of
    // the operation's rights message.
    PrintError("the settings file " + missing +
               " does not exist yet; run `vantrel init` to create it with the factory system administrator");
    return kOperationFalse;
  }
  if (message == "ServUPath error") {
    // The operation's own words do not say which file it looked for.
    PrintError("ServUPath error: no readable ServUDaemon.ini in the folder " + ServUPathOf(options) +
               "; give the FTP server's folder with --servu-path or SERVU_PATH");
    return kOperationFalse;
  }
  PrintError(message.empty() ? std::string("the operation failed") : message);
  return kOperationFalse;
}

std::vector<au::Ref<au::Object>> CollectionItems(au::Object& object, std::u16string_view collection) {
  const au::Ref<au::Object> list = GetProperty(object, collection).AsObject();
  std::vector<au::Ref<au::Object>> items;
  const std::int32_t count = au::ToLong(GetProperty(*list, m::AnyClass::Count));
  for (std::int32_t i = 1; i <= count; ++i)
    items.push_back(CallMethod(*list, m::AnyClass::Item, {au::Variant(i)}).AsObject());
  return items;
}

std::string MissingSettingsFile() {
  std::error_code error;
  const std::filesystem::path file = admin::SettingsNativePath();
  return std::filesystem::exists(file, error) ? std::string() : file.string();
}

void LetOption(au::Object& object, std::u16string_view name, const std::string& option, const std::string& text,
               const std::string& expected) {
  try {
    LetProperty(object, name, au::FromUtf8(text));
  } catch (const au::AutomationError& e) {
    if (e.Number() != 13 && e.Number() != 6) throw;  // type mismatch, overflow
    throw UsageError{option + " '" + text + "': expected " + expected};
  }
}

namespace {
bool g_jsonErrors = false;
}  // namespace

void UseJsonErrors(bool json) { g_jsonErrors = json; }

void PrintError(const std::string& message, int number) {
  if (g_jsonErrors) {
    nlohmann::json error{{"ErrorMsg", message}};
    if (number != 0) error["Number"] = number;
    std::cerr << error.dump() << '\n';
    return;
  }
  std::cerr << "vantrel: ";
  if (number != 0) std::cerr << "error " << number << ": ";
  std::cerr << message << '\n';
}

}  // namespace vantrel::cli
