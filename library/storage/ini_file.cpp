#include "ini_file.hpp"

#include <filesystem>
#include <vector>

#include "storage/blanks.hpp"
#include "storage/case_fold.hpp"
#include "storage/codepage.hpp"
#include "storage/file_io.hpp"
#include "storage/file_text.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_profile.hpp"
#include "storage/paths.hpp"

namespace vantrel::storage {

namespace {

// A writer replacing the file can leave a moment with no file under its name
// (ReplaceFileW moves the old file aside first), so a missing file is looked
// for once more under the writers' lock, when no replacement is under way.
bool ExistsOnceNoWriterReplacesIt(const std::u16string& path, const std::filesystem::path& native) {
  const std::unique_ptr<FileLock> lock = CurrentFileIo().Lock(ResolveLinks(native));
  return lock && FileExists(path);
}

}  // namespace

void CIniFile::SetIniFile(std::u16string_view path) {
  iniFile_ = std::u16string(TrimSpaces(path));
  checked_ = false;
}

std::filesystem::path CIniFile::NativePath() const { return checked_ ? native_ : ToNativePath(iniFile_); }

bool CIniFile::Fail(std::u16string_view message, std::string detail) {
  errorMsg_ = std::u16string(message);
  errorDetail_ = std::move(detail);
  return false;
}

bool CIniFile::CheckIniFile() {
  errorMsg_.clear();
  errorDetail_.clear();
  if (checked_) return true;
  if (iniFile_.empty()) return Fail(kEmptyPath, "no file is set");
  if (!FileExists(iniFile_) && !ExistsOnceNoWriterReplacesIt(iniFile_, NativePath()))
    return Fail(kMissing, "the file does not exist");
  const std::u16string_view tail = std::u16string_view(iniFile_).substr(iniFile_.size() >= 4 ? iniFile_.size() - 4 : 0);
  if (UpperText(tail) != u".INI") return Fail(kNotIni, "the file name does not end in .ini");
  if (keepChecks_) {
    native_ = ToNativePath(iniFile_);
    checked_ = true;
  }
  return true;
}

bool CIniFile::DeleteKey(std::u16string_view section, std::u16string_view key) {
  if (!CheckIniFile()) return false;
  std::string ansiSection, ansiKey, why;
  if (!ToFileText(section, "section name", ansiSection, why) || !ToFileText(key, "key name", ansiKey, why)) {
    return Fail(kDeleteError, why);
  }
  if (!ini::WriteProfileString(ansiSection, ansiKey, std::nullopt, NativePath())) {
    return Fail(kDeleteError, ini::LastIniError());
  }
  return true;
}

bool CIniFile::WriteString(std::u16string_view section, std::u16string_view key,
                           std::optional<std::u16string_view> value) {
  if (!CheckIniFile()) return false;
  std::string ansiSection, ansiKey, ansiValue, why;
  if (!ToFileText(section, "section name", ansiSection, why) || !ToFileText(key, "key name", ansiKey, why) ||
      (value && !ToFileText(*value, "value", ansiValue, why)) ||
      (value && !(why = RefusalOfIniName(section, key)).empty())) {
    return Fail(kWriteError, why);
  }
  const ini::OptText written = value ? ini::OptText(ansiValue) : std::nullopt;
  if (!ini::WriteProfileString(ansiSection, ansiKey, written, NativePath())) {
    return Fail(kWriteError, ini::LastIniError());
  }
  return true;
}

std::u16string CIniFile::ReadString(std::u16string_view section, std::u16string_view key, std::int32_t size) {
  if (!CheckIniFile() || size <= 0) return {};
  return FromAnsi(
      ini::ReadValue(NativePath(), ToAnsi(section), ToAnsi(key), static_cast<std::uint32_t>(size)));
}

std::int32_t CIniFile::ReadInteger(std::u16string_view section, std::u16string_view key) {
  if (!CheckIniFile()) return 0;
  const std::filesystem::path file = NativePath();
  const std::string ansiSection = ToAnsi(section);
  const std::string ansiKey = ToAnsi(key);
  const std::int32_t first = static_cast<std::int32_t>(ini::GetProfileInt(ansiSection, ansiKey, 0, file));
  if (first != 0) return first;
  // 0 is either a stored 0 or the default: a second read with default 1
  // tells them apart.
  const std::int32_t second = static_cast<std::int32_t>(ini::GetProfileInt(ansiSection, ansiKey, 1, file));
  if (second == 1) {
    Fail(kNotInteger, "the key is missing or has no value");
    return 0;
  }
  return second;
}

bool CIniFile::DeleteSection(std::u16string_view section) {
  if (!CheckIniFile()) return false;
  std::string ansiSection, why;
  if (!ToFileText(section, "section name", ansiSection, why)) return Fail(kWriteError, why);
  if (!ini::WriteProfileSection(ansiSection, std::nullopt, NativePath())) {
    return Fail(kWriteError, ini::LastIniError());
  }
  return true;
}

std::vector<std::u16string> NamesOf(const std::vector<std::string>& names) {
  std::vector<std::u16string> out;
  for (const std::string& name : names)
    if (!name.empty()) out.push_back(FromAnsi(name));
  return out;
}

std::vector<std::u16string> CIniFile::GetSections() {
  if (!CheckIniFile()) return {};
  return NamesOf(ini::ReadSections(NativePath()));
}

std::vector<std::u16string> CIniFile::GetKeys(std::u16string_view section) {
  if (!CheckIniFile()) return {};
  return NamesOf(ini::ReadKeys(NativePath(), ToAnsi(section)));
}

}  // namespace vantrel::storage

namespace vantrel::storage {

std::vector<std::pair<std::u16string, std::u16string>> CIniFile::GetKeyValues(std::u16string_view section,
                                                                            std::int32_t size) {
  if (!CheckIniFile()) return {};
  std::vector<std::pair<std::u16string, std::u16string>> entries;
  const auto cut = static_cast<std::uint32_t>(size > 0 ? size : 0);
  for (const ini::KeyValue& entry : ini::ReadKeyValues(NativePath(), ToAnsi(section), cut)) {
    if (!entry.name.empty()) entries.emplace_back(FromAnsi(entry.name), FromAnsi(entry.value));
  }
  return entries;
}

}  // namespace vantrel::storage
