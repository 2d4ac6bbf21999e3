// vantrel ini: a direct window on the INI engine. Each command is one call of
// the profile functions with their semantics (name matching, blanks, quotes,
// defaults, buffer cuts), except that key and section lists are complete.
//
// FILE is a Windows-form or POSIX path, mapped as every file access of the
// library is (drive letters below the system root, either separator, letter
// case of missing components ignored). SECTION, KEY and VALUE are taken in the
// locale's encoding, which is the code page of the file, and printed as read.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "commands.hpp"
#include "storage/codepage.hpp"
#include "storage/file_text.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_profile.hpp"
#include "storage/native_text.hpp"
#include "storage/paths.hpp"

namespace vantrel::cli {
namespace {

namespace ini = storage::ini;
using nlohmann::json;

// Text of the file in the locale's encoding as UTF-8 for JSON output.
std::string JsonText(std::string_view ansi) { return storage::Utf16ToUtf8(storage::FromAnsi(ansi)); }

void PrintJson(const json& value) {
  std::cout << value.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

std::filesystem::path MapFile(const std::string& file) {
  return storage::ToNativePath(storage::FromAnsi(file));
}

// A read of a missing file gives the default, as the profile functions do;
// people are told on stderr, scripts still get the default on stdout.
void WarnWhenMissing(const std::string& file, const std::filesystem::path& native) {
  std::error_code ec;
  if (!std::filesystem::exists(native, ec)) {
    std::cerr << "vantrel: warning: " << file << " (" << native.string()
              << ") does not exist; the read gives the default\n";
  }
}

// Reports a failed or refused write; the exit code is 1.
int WriteFailed(const GlobalOptions& options, const std::string& what, const std::string& file) {
  const std::string reason = ini::LastIniError().empty() ? "the write failed" : ini::LastIniError();
  std::cerr << "vantrel: ini " << what << ": " << file << ": " << reason << '\n';
  if (options.json) PrintJson({{"Result", false}, {"ErrorMsg", JsonText(reason)}});
  return kOperationFalse;
}

struct Arguments {
  std::string file;
  std::string section;
  std::string key;
  std::string value;
  std::optional<std::string> defaultText;
  std::optional<std::uint32_t> size;
  std::int32_t defaultNumber = 0;
};

void AddFile(CLI::App* sub, Arguments& args) {
  sub->add_option("FILE", args.file, "the INI file: C:\\path\\file.ini (below <root>/drives/c), /posix/path or relative")
      ->required();
}

void InstallGet(CLI::App* ini, GlobalOptions& options, int& result, Arguments& args) {
  auto* sub = ini->add_subcommand("get", "Print the value of KEY in SECTION (or the default) and a newline");
  AddFile(sub, args);
  sub->add_option("SECTION", args.section, "section name (letter case ignored)")->required();
  sub->add_option("KEY", args.key, "key name (letter case ignored)")->required();
  sub->add_option("--default", args.defaultText, "text given when the key is missing (default: empty)");
  sub->add_option("--size", args.size,
                  "buffer size in bytes: at most SIZE-1 bytes come back, as from the platform's read "
                  "(default: the whole value)")
      ->check(CLI::NonNegativeNumber);
  sub->footer("Blanks around the value and one pair of enclosing quotes are removed, as the platform does.\n"
              "Example: vantrel ini get 'C:\\Serv-U\\ServUDaemon.ini' GLOBAL Version --size 255");
  sub->callback([&options, &result, &args] {
    const std::filesystem::path file = MapFile(args.file);
    WarnWhenMissing(args.file, file);
    const ini::OptText defaultText = args.defaultText ? ini::OptText(*args.defaultText) : std::nullopt;
    const auto read = [&](std::uint32_t size, std::string& buffer) {
      buffer.assign(size, '\0');
      return ini::GetProfileString(args.section, args.key, defaultText, size ? buffer.data() : nullptr, size, file);
    };
    std::string buffer;
    std::uint32_t count = 0;
    if (args.size) {
      count = read(*args.size, buffer);
    } else {
      // The whole value: a small buffer first, a bigger one while the value
      // may have been cut (a cut can stop a few bytes short, before a
      // character). It cannot be longer than the file or the default.
      std::error_code ec;
      const auto fileSize = std::filesystem::is_regular_file(file, ec) ? std::filesystem::file_size(file, ec) : 0;
      const std::uint64_t limit = (ec ? 0 : fileSize) + (args.defaultText ? args.defaultText->size() : 0) + 2;
      std::uint64_t size = std::min<std::uint64_t>(4096, limit);
      for (;;) {
        count = read(static_cast<std::uint32_t>(size), buffer);
        if (count + 4 < size || size >= limit) break;
        size = std::min(size * 16, limit);
      }
    }
    const std::string value = buffer.substr(0, count);
    if (options.json) {
      PrintJson({{"Section", JsonText(args.section)}, {"Key", JsonText(args.key)}, {"Value", JsonText(value)}});
    } else {
      std::cout << value << '\n';
    }
    result = kSuccess;
  });
}

void InstallInt(CLI::App* ini, GlobalOptions& options, int& result, Arguments& args) {
  auto* sub = ini->add_subcommand("int", "Print the value of KEY in SECTION read as a signed 32-bit whole number");
  AddFile(sub, args);
  sub->add_option("SECTION", args.section, "section name (letter case ignored)")->required();
  sub->add_option("KEY", args.key, "key name (letter case ignored)")->required();
  sub->add_option("--default", args.defaultNumber, "number given when the key is missing or empty (default 0)");
  sub->footer("Leading blanks, a sign and 0x for hexadecimal are understood; reading stops at the first\n"
              "non-digit; text without digits gives 0; larger numbers wrap around modulo 2^32.");
  sub->callback([&options, &result, &args] {
    const std::filesystem::path file = MapFile(args.file);
    WarnWhenMissing(args.file, file);
    const auto value = static_cast<std::int32_t>(ini::GetProfileInt(args.section, args.key, args.defaultNumber, file));
    if (options.json) {
      PrintJson({{"Section", JsonText(args.section)}, {"Key", JsonText(args.key)}, {"Value", value}});
    } else {
      std::cout << value << '\n';
    }
    result = kSuccess;
  });
}

void PrintNames(const GlobalOptions& options, const std::vector<std::string>& names, const char* field,
                json extra) {
  if (options.json) {
    json list = json::array();
    for (const std::string& name : names) list.push_back(JsonText(name));
    extra[field] = std::move(list);
    PrintJson(extra);
    return;
  }
  for (const std::string& name : names) std::cout << name << '\n';
}

void InstallKeys(CLI::App* ini, GlobalOptions& options, int& result, Arguments& args) {
  auto* sub = ini->add_subcommand("keys", "Print the key names of SECTION, one a line, in file order");
  AddFile(sub, args);
  sub->add_option("SECTION", args.section, "section name (letter case ignored)")->required();
  sub->footer("The list is complete (no cut at 4,095 bytes). Of duplicate sections only the first counts.");
  sub->callback([&options, &result, &args] {
    const std::filesystem::path file = MapFile(args.file);
    WarnWhenMissing(args.file, file);
    PrintNames(options, ini::ReadKeys(file, args.section), "Keys", {{"Section", JsonText(args.section)}});
    result = kSuccess;
  });
}

void InstallSections(CLI::App* ini, GlobalOptions& options, int& result, Arguments& args) {
  auto* sub = ini->add_subcommand("sections", "Print the section names of FILE, one a line, in file order");
  AddFile(sub, args);
  sub->footer("The list is complete (no cut at 4,095 bytes); duplicates are listed as often as they occur.");
  sub->callback([&options, &result, &args] {
    const std::filesystem::path file = MapFile(args.file);
    WarnWhenMissing(args.file, file);
    PrintNames(options, ini::ReadSections(file), "Sections", json::object());
    result = kSuccess;
  });
}

void InstallSet(CLI::App* ini, GlobalOptions& options, int& result, Arguments& args) {
  auto* sub = ini->add_subcommand("set", "Write KEY=VALUE into SECTION (creating the key, section or file)");
  AddFile(sub, args);
  sub->add_option("SECTION", args.section, "section name (an existing one keeps its spelling)")->required();
  sub->add_option("KEY", args.key, "key name (an existing one keeps its spelling)")->required();
  sub->add_option("VALUE", args.value, "the value; blanks around it are dropped")->required();
  sub->footer("An existing key is replaced where it stands, a new key goes last in its section, a new\n"
              "section at the end of the file. The file is replaced atomically; lines the write does not\n"
              "change keep their bytes. Names or values holding CR, LF or NUL, or bytes that are not\n"
              "text in the locale's code page, are refused (exit 1).");
  sub->callback([&options, &result, &args] {
    for (const auto& [text, what] : {std::pair{&args.section, "SECTION"}, std::pair{&args.key, "KEY"},
                                    std::pair{&args.value, "VALUE"}}) {
      if (const std::string why = storage::RefusalOfAnsi(*text, what); !why.empty()) {
        std::cerr << "vantrel: ini set: " << args.file << ": Refused: " << why << '\n';
        if (options.json) PrintJson({{"Result", false}, {"ErrorMsg", "Refused: " + why}});
        result = kOperationFalse;
        return;
      }
    }
    if (!ini::WriteProfileString(args.section, args.key, args.value, MapFile(args.file))) {
      result = WriteFailed(options, "set", args.file);
      return;
    }
    if (options.json) PrintJson({{"Result", true}, {"ErrorMsg", ""}});
    result = kSuccess;
  });
}

void InstallDelete(CLI::App* ini, GlobalOptions& options, int& result, Arguments& args) {
  auto* sub = ini->add_subcommand("delete", "Remove KEY from SECTION, or the whole SECTION when KEY is left out");
  AddFile(sub, args);
  sub->add_option("SECTION", args.section, "section name (letter case ignored)")->required();
  sub->add_option("KEY", args.key, "key name (letter case ignored); without it the section goes with all its lines");
  sub->footer("Removing a key or section that is not there succeeds and leaves the file alone.");
  sub->callback([&options, &result, &args, sub] {
    const std::filesystem::path file = MapFile(args.file);
    const bool ok = sub->count("KEY") > 0 ? ini::WriteProfileString(args.section, args.key, std::nullopt, file)
                                          : ini::WriteProfileSection(args.section, std::nullopt, file);
    if (!ok) {
      result = WriteFailed(options, "delete", args.file);
      return;
    }
    if (options.json) PrintJson({{"Result", true}, {"ErrorMsg", ""}});
    result = kSuccess;
  });
}

}  // namespace

void AddIniCommand(CLI::App& app, GlobalOptions& options, int& result) {
  static Arguments args;
  auto* ini = app.add_subcommand("ini", "read and write INI files directly, with the platform's profile rules");
  ini->require_subcommand(1);
  ini->footer("FILE: 'X:\\dir\\file.ini' maps to <root>/drives/x/dir/file.ini (root: --root or VANTREL_ROOT,\n"
              "default /var/lib/vantrel); '/abs/path' is used as it is; other paths are relative to the current\n"
              "folder. Section and key names match without regard to letter case.\n"
              "Exit status: 0 success, 1 a write failed or was refused, 2 usage error.");
  InstallGet(ini, options, result, args);
  InstallInt(ini, options, result, args);
  InstallKeys(ini, options, result, args);
  InstallSections(ini, options, result, args);
  InstallSet(ini, options, result, args);
  InstallDelete(ini, options, result, args);
}

}  // namespace vantrel::cli
