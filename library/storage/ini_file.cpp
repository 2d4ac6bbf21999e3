#include "ini_file.hpp"

#include <filesystem>
#include <vector>

#include "storage/case_fold.hpp"
#include "storage/codepage.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_profile.hpp"
#include "storage/paths.hpp"

namespace vantrel::storage {
namespace {

constexpr std::u16string_view kLineBreaksAndNul{u"\r\n\0", 3};

// Text for the file in the ANSI code page. Refused (with the reason in
// `why`) when it holds a line break or NUL, which would inject lines, or a
// character the code page cannot hold, which would be written as '?'.
bool ToFileText(std::u16string_view text, std::string_view what, std::string& out, std::string& why) {
  if (text.find_first_of(kLineBreaksAndNul) != std::u16string_view::npos) {
    why = std::string("the ") + std::string(what) + " holds a line break or NUL character";
    return false;
  }
  out = ToAnsi(text);
  if (FromAnsi(out) != text) {
    why = std::string("the ") + std::string(what) + " holds characters that the code page " + AnsiCodePageName() +
          " cannot represent";
    return false;
  }
  return true;
}

// Names that would read back as something else once written: a "]" ends a
// section name early, "=" splits a key name, and a key name starting with
// ";" or "[" becomes a comment or a section header; an empty key name ends
// every key list of its section.
bool NameIsSafe(std::u16string_view section, std::u16string_view key, std::string& why) {
  if (section.find(u']') != std::u16string_view::npos) {
    why = "the section name holds \"]\", which would end it early";
    return false;
  }
  const auto start = key.find_first_not_of(u" \t\v\f");
  if (start == std::u16string_view::npos) {
    why = "the key name is empty";
    return false;
  }
  if (key.find(u'=') != std::u16string_view::npos) {
    why = "the key name holds \"=\", which would split it";
    return false;
  }
  if (key[start] == u';' || key[start] == u'[') {
    why = "the key name starts with \";\" or \"[\", which would make it a comment or a section";
    return false;
  }
  return true;
}

// ";"-joined names, complete. A line "=value" has an empty name, which in a
// NUL-separated list would end it and hide every later key (and a deletion
// that rewrites the list would then drop them); it is left out instead.
std::u16string JoinNames(const std::vector<std::string>& names) {
  std::u16string joined;
  bool first = true;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    if (!first) joined.push_back(u';');
    first = false;
    joined += FromAnsi(name);
  }
  return joined;
}

std::u16string_view TrimSpaces(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  const auto last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

void CIniFile::SetIniFile(std::u16string_view path) { iniFile_ = std::u16string(TrimSpaces(path)); }

bool CIniFile::Fail(std::u16string_view message, std::string detail) {
  errorMsg_ = std::u16string(message);
  errorDetail_ = std::move(detail);
  return false;
}

bool CIniFile::CheckIniFile() {
  errorMsg_.clear();
  errorDetail_.clear();
  if (iniFile_.empty()) return Fail(kEmptyPath, "no file is set");
  if (!FileExists(iniFile_)) return Fail(kMissing, "the file does not exist");
  const std::u16string_view tail = std::u16string_view(iniFile_).substr(iniFile_.size() >= 4 ? iniFile_.size() - 4 : 0);
  if (UpperText(tail) != u".INI") return Fail(kNotIni, "the file name does not end in .ini");
  return true;
}

bool CIniFile::Begin() { return CheckIniFile(); }

bool CIniFile::DeleteKey(std::u16string_view section, std::u16string_view key) {
  if (!Begin()) return false;
  std::string ansiSection, ansiKey, why;
  if (!ToFileText(section, "section name", ansiSection, why) || !ToFileText(key, "key name", ansiKey, why)) {
    return Fail(kDeleteError, why);
  }
  if (!ini::WriteProfileString(ansiSection, ansiKey, std::nullopt, ToNativePath(iniFile_))) {
    return Fail(kDeleteError, ini::LastIniError());
  }
  return true;
}

bool CIniFile::WriteString(std::u16string_view section, std::u16string_view key,
                           std::optional<std::u16string_view> value) {
  if (!Begin()) return false;
  std::string ansiSection, ansiKey, ansiValue, why;
  if (!ToFileText(section, "section name", ansiSection, why) || !ToFileText(key, "key name", ansiKey, why) ||
      (value && !ToFileText(*value, "value", ansiValue, why)) || (value && !NameIsSafe(section, key, why))) {
    return Fail(kWriteError, why);
  }
  const ini::OptText written = value ? ini::OptText(ansiValue) : std::nullopt;
  if (!ini::WriteProfileString(ansiSection, ansiKey, written, ToNativePath(iniFile_))) {
    return Fail(kWriteError, ini::LastIniError());
  }
  return true;
}

std::u16string CIniFile::ReadString(std::u16string_view section, std::u16string_view key, std::int32_t size) {
  if (!Begin() || size <= 0) return {};
  return FromAnsi(
      ini::ReadValue(ToNativePath(iniFile_), ToAnsi(section), ToAnsi(key), static_cast<std::uint32_t>(size)));
}

std::int32_t CIniFile::ReadInteger(std::u16string_view section, std::u16string_view key) {
  if (!Begin()) return 0;
  const std::filesystem::path file = ToNativePath(iniFile_);
  const std::string ansiSection = ToAnsi(section);
  const std::string ansiKey = ToAnsi(key);
  const std::int32_t first = ini::ReadInt(file, ansiSection, ansiKey, 0);
  if (first != 0) return first;
  // 0 is either a stored 0 or the default: a second read with default 1
  // tells them apart.
  const std::int32_t second = ini::ReadInt(file, ansiSection, ansiKey, 1);
  if (second == 1) {
    Fail(kNotInteger, "the key is missing or has no value");
    return 0;
  }
  return second;
}

bool CIniFile::DeleteSection(std::u16string_view section) {
  if (!Begin()) return false;
  std::string ansiSection, why;
  if (!ToFileText(section, "section name", ansiSection, why)) return Fail(kWriteError, why);
  if (!ini::WriteProfileSection(ansiSection, std::nullopt, ToNativePath(iniFile_))) {
    return Fail(kWriteError, ini::LastIniError());
  }
  return true;
}

std::u16string CIniFile::GetSections() {
  if (!Begin()) return {};
  return JoinNames(ini::ReadSections(ToNativePath(iniFile_)));
}

std::u16string CIniFile::GetKeys(std::u16string_view section) {
  if (!Begin()) return {};
  return JoinNames(ini::ReadKeys(ToNativePath(iniFile_), ToAnsi(section)));
}

}  // namespace vantrel::storage
