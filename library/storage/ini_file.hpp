#pragma once
// CIniFile: the reader and writer of the FTP server's configuration file.
//
// A thin layer over the INI engine: a validity check of the file in front of
// every access, Boolean results, simple strings, and the message of the last
// failure in ErrorMsg. Strings are UTF-16; the file's text goes through the
// ANSI code page. Each call is a transaction of one call, or joins the
// transaction the calling operation opened on the same file
// (storage/ini/ini_transaction.hpp).
//
// Usage:
//   CIniFile ini;
//   ini.SetIniFile(PathJoin(servuPath, u"ServUDaemon.ini"));
//   if (!ini.CheckIniFile()) return Fail(u"ServUPath error");
//   std::u16string version = ini.ReadString(u"GLOBAL", u"Version", 255);
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel::storage {

// Section or key names as the engine lists them (ANSI), in file order. A line
// "=value" has an empty name, which a caller could take for a key of its own
// (and a NUL-separated list would end at): it is left out.
std::vector<std::u16string> NamesOf(const std::vector<std::string>& names);

class CIniFile {
 public:
  // The messages ErrorMsg can hold.
  static constexpr std::u16string_view kEmptyPath = u"IniFile is Empty";
  static constexpr std::u16string_view kMissing = u"IniFile is not Exist";
  static constexpr std::u16string_view kNotIni = u"IniFile is not an INI file";
  static constexpr std::u16string_view kWriteError = u"Write Error";
  static constexpr std::u16string_view kDeleteError = u"Delete Error";
  static constexpr std::u16string_view kNotInteger = u"Can't read as Integer";

  // Message of the last failed operation; empty after a success.
  const std::u16string& ErrorMsg() const { return errorMsg_; }

  // Full Windows-form path of the file. Setting it removes surrounding spaces.
  const std::u16string& IniFile() const { return iniFile_; }
  void SetIniFile(std::u16string_view path);

  // Why the last write failed or was refused, in plain words (empty when it
  // did not fail). ErrorMsg keeps the fixed message; this adds the cause.
  const std::string& ErrorDetail() const { return errorDetail_; }

  // True when IniFile is set, exists (a folder counts) and ends in ".INI" in
  // any letter case. Never creates the file. Every other call starts with it
  // (clearing the messages first).
  bool CheckIniFile();

  // For a CIniFile that lives inside one transaction on its file (which
  // cannot change under the lock): the first passed check, the file's
  // native path and its existence are kept, not worked out at every call.
  void KeepChecks() { keepChecks_ = true; }

  // Removes the key. False with "Delete Error" when the write fails.
  bool DeleteKey(std::u16string_view section, std::u16string_view key);

  // Writes the value (an empty one gives "key="); a value that was never
  // assigned (nullopt) removes the key. False with "Write Error" when the write
  // fails or is refused: a name or value holding CR, LF or NUL, text the code
  // page cannot hold, or a name that would read back as something else ("]"
  // in the section name; an empty key name, "=" in it, or ";" or "[" first).
  bool WriteString(std::u16string_view section, std::u16string_view key, std::optional<std::u16string_view> value);

  // The value as stored, cut to size - 1 bytes of the code page (never inside
  // a character); "" for a missing key or section.
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::int32_t size);

  // The value as a whole number. A missing or empty key gives 0 with
  // "Can't read as Integer"; a stored 0 gives 0 with no message.
  std::int32_t ReadInteger(std::u16string_view section, std::u16string_view key);

  // Removes the section line and its keys. False with "Write Error" on failure.
  bool DeleteSection(std::u16string_view section);

  // Every section name, in file order.
  std::vector<std::u16string> GetSections();

  // Every key name of the section, in file order (empty names of "=value"
  // lines left out).
  std::vector<std::u16string> GetKeys(std::u16string_view section);

  // GetKeys with each name's ReadString(section, name, size), in one pass.
  std::vector<std::pair<std::u16string, std::u16string>> GetKeyValues(std::u16string_view section, std::int32_t size);

 private:
  bool Fail(std::u16string_view message, std::string detail);
  std::filesystem::path NativePath() const;

  std::u16string iniFile_;
  std::u16string errorMsg_;
  std::string errorDetail_;
  bool keepChecks_ = false;
  bool checked_ = false;  // passed once, with keepChecks_
  std::filesystem::path native_;
};

}  // namespace vantrel::storage
