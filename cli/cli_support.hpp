#pragma once
// Helpers shared by the command files: creating a manager object late-bound
// (so the tool goes through exactly what a page would), setting the folder and
// credentials, reading a password without putting it on the command line,
// printing aligned tables, and turning outcomes into exit codes.
//
// Append new helpers at the end; keep the existing ones as they are.
#include <nlohmann/json.hpp>

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"
#include "commands.hpp"

namespace vantrel::cli {

// A new object of the class named by `progId` ("Vantrel.Domains").
automation::Ref<automation::Object> CreateManager(std::u16string_view progId);

// Property Get / Let and method calls by name, through the runtime.
automation::Variant GetProperty(automation::Object& object, std::u16string_view name);
void LetProperty(automation::Object& object, std::u16string_view name, automation::Variant value);
automation::Variant CallMethod(automation::Object& object, std::u16string_view name,
                               std::vector<automation::Variant> args = {});

// Text of a String property (empty for Empty).
std::string StringProperty(automation::Object& object, std::u16string_view name);

// The FTP server's folder: --servu-path, else SERVU_PATH, else the current folder.
std::string ServUPathOf(const GlobalOptions& options);

// Where a command's password comes from, in this order: standard input's
// first line when `fromStdin`; else VANTREL_PASSWORD; else a prompt without
// echo when standard input is a terminal; else empty.
std::string ReadPassword(bool fromStdin, const std::string& prompt = "Password: ");

// Sets ServUPath (when the class has it), and AdminName/AdminPassword (or
// Administrator/Password) from --admin and the password, when --admin is set.
void SetServUPath(automation::Object& object, const GlobalOptions& options);
void SetCredentials(automation::Object& object, const GlobalOptions& options, const std::string& password);

// Asks for the password only when --admin names someone.
std::string CredentialsPassword(const GlobalOptions& options, bool fromStdin);

// An aligned table for people.
struct Table {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
  void Print(std::ostream& out, const std::string& indent = "") const;
};

// Runs a command body: an automation error is printed to stderr as
// "vantrel: error N: description" and gives exit code 2.
int RunGuarded(const std::function<int()>& body);

// The outcome of the Boolean operation `operation`: True gives 0; False prints
// ErrorMsg to stderr (or "operation failed" when it is empty) and gives 1. With
// --json it prints {"<operation>": result, "ErrorMsg": ...} and the details.
int OperationOutcome(automation::Object& object, std::u16string_view operation, bool result,
                     const GlobalOptions& options,
                     const std::string& successText, nlohmann::json details = nlohmann::json::object());

// The records of the collection held in `object`'s property `collection`
// (Count and Item by position, as a page would read them).
std::vector<automation::Ref<automation::Object>> CollectionItems(automation::Object& object,
                                                                 std::u16string_view collection);

// The native path of the library's settings file when it does not exist
// (`vantrel init` creates it), else empty.
std::string MissingSettingsFile();

// Errors go to stderr as "vantrel: [error N: ]message", or with --json as one
// JSON object {"ErrorMsg": message[, "Number": N]}.
void UseJsonErrors(bool json);
void PrintError(const std::string& message, int number = 0);

// A command line that cannot work as given: printed like any error, exit 2.
struct UsageError {
  std::string message;
};

// Lets a property from an option's text; a value the property's type refuses
// becomes a UsageError naming the option and the form expected.
void LetOption(automation::Object& object, std::u16string_view name, const std::string& option,
               const std::string& text, const std::string& expected);

}  // namespace vantrel::cli
