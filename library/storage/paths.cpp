#include "paths.hpp"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

#include "automation/text.hpp"
#include "case_fold.hpp"
#include "native_text.hpp"
#include "storage/blanks.hpp"
#include "storage/ini/ini_transaction.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace vantrel::storage {
namespace {

// In a dry run a missing folder is reported instead of created.
bool DryRunFolder(std::u16string_view path) {
  ini::DryRun* dry = ini::DryRun::Active();
  if (dry == nullptr) return false;
  if (!FileExists(path)) dry->CreateFolder(ToNativePath(path));
  return true;
}

#ifndef _WIN32

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool HasDrive(std::u16string_view path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == u':';
}

// "X:", "X:\", "X:\\" ...: a drive and nothing below it.
bool IsDriveRoot(std::u16string_view path) {
  if (!HasDrive(path)) return false;
  for (std::size_t i = 2; i < path.size(); ++i) {
    if (!IsPathSeparator(path[i])) return false;
  }
  return true;
}

// Splits the path into components, dropping empty ones and ".", and
// resolving ".." lexically; nothing climbs above `floor` components. With
// `windowsNames`, names lose trailing dots and spaces, as Windows normalises them.
void AppendComponents(std::u16string_view path, std::size_t floor, bool windowsNames,
                      std::vector<std::string>& parts) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    std::u16string_view part = path.substr(start, end - start);
    if (windowsNames && part != u"." && part != u"..") {
      // Windows drops trailing dots and spaces of a name: "alice. " is "alice".
      const auto last = part.find_last_not_of(u". ");
      part = last == std::u16string_view::npos ? std::u16string_view() : part.substr(0, last + 1);
    }
    if (part == u"..") {
      if (parts.size() > floor) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(Utf16ToUtf8(part));
    }
    start = end + 1;
  }
}

// The entry of `folder` whose name equals `name` without regard to letter
// case; of several, the first in byte order, so the choice is stable.
std::optional<std::string> FindIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  std::optional<std::string> best;
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::string entry = it->path().filename().native();
    if (EqualsIgnoreCaseUtf8(entry, name) && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

#endif

}  // namespace

std::u16string PathJoin(std::u16string_view folder, std::u16string_view name) {
  folder = TrimSpaces(folder);
  name = TrimSpaces(name);
  std::u16string result(folder);
  if (result.empty()) return std::u16string(name);
  if (result.back() != u'\\') result.push_back(u'\\');
  result.append(name);
  return result;
}

#ifdef _WIN32

std::filesystem::path ToNativePath(std::u16string_view windowsPath) {
  std::wstring native(windowsPath.begin(), windowsPath.end());
  // An existing file keeps the spelling it has on disk: a file replaced by a
  // write takes the name it is given, so "servudaemon.INI" must not rename
  // ServUDaemon.ini.
  if (!native.empty() && native.find_first_of(L"*?") == std::wstring::npos) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(native.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      const auto separator = native.find_last_of(L"\\/");
      std::size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
      if (separator == std::wstring::npos && native.size() >= 2 && native[1] == L':') nameStart = 2;
      if (nameStart < native.size()) native.replace(nameStart, std::wstring::npos, found.cFileName);
    }
  }
  return std::filesystem::path(native);
}

std::u16string NativePathToText(const std::filesystem::path& path) {
  const std::wstring& text = path.native();
  return std::u16string(text.begin(), text.end());
}

std::u16string WindowsFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return std::u16string(buffer, buffer + length);
}

bool FileExists(std::u16string_view path) {
  if (path.empty()) return false;
  const std::wstring native(path.begin(), path.end());
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &data)) return true;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return false;
    default:
      return true;  // it may exist; it just cannot be looked at
  }
}

namespace {
void CreateOneFolder(std::u16string_view prefix) {
  const std::wstring native(prefix.begin(), prefix.end());
  CreateDirectoryW(native.c_str(), nullptr);  // failures are the caller's to find out
}
}  // namespace

#else

std::filesystem::path SystemRoot() {
  const char* value = std::getenv("VANTREL_ROOT");
  if (value == nullptr || *value == '\0') return "/var/lib/vantrel";
  std::error_code ec;
  std::filesystem::path root = std::filesystem::absolute(value, ec);
  return ec ? std::filesystem::path(value) : root.lexically_normal();
}

std::u16string NativePathToText(const std::filesystem::path& path) { return automation::FromUtf8(path.native()); }

std::filesystem::path ToNativePath(std::u16string_view windowsPath) {
  if (windowsPath.empty()) return {};
  std::filesystem::path base;
  std::vector<std::string> parts;
  std::size_t floor = 0;
  std::u16string_view rest = windowsPath;
  const bool drivePath = HasDrive(windowsPath);
  if (drivePath) {
    base = SystemRoot() / "drives";
    const char letter = static_cast<char>(windowsPath[0] | 0x20);
    parts.emplace_back(1, letter);
    floor = 1;  // ".." never climbs out of a drive
    rest = windowsPath.substr(2);
  } else if (IsPathSeparator(windowsPath[0])) {
    base = "/";
  } else {
    // Relative (a bare name too): below the current folder, whose own
    // components may be climbed out of by "..".
    base = "/";
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    if (!ec) {
      for (const auto& component : current.relative_path()) parts.push_back(component.native());
    }
  }
  AppendComponents(rest, floor, drivePath, parts);

  std::filesystem::path result = base;
  bool parentExists = true;
  for (const std::string& part : parts) {
    if (parentExists) {
      std::error_code ec;
      const std::filesystem::path exact = result / part;
      if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) {
        result = exact;
        continue;
      }
      if (auto match = FindIgnoringCase(result, part)) {
        result /= *match;
        continue;
      }
      parentExists = false;  // nothing below a missing folder can be found
    }
    result /= part;
  }
  // A trailing separator stays: "file.txt\" names a folder, which a file is not.
  if (IsPathSeparator(windowsPath.back()) && !parts.empty() && !IsDriveRoot(windowsPath)) result /= "";
  return result;
}

std::filesystem::path LegacyWindowsFolder() {
  std::error_code ec;
  const std::filesystem::path legacy = SystemRoot() / "Windows";
  if (std::filesystem::exists(ToNativePath(kWindowsFolder), ec) || !std::filesystem::is_directory(legacy, ec))
    return {};
  return legacy;
}

std::u16string WindowsFolder() {
  // A root from before the move keeps working (with host paths) until its folder is moved.
  if (const std::filesystem::path legacy = LegacyWindowsFolder(); !legacy.empty()) return NativePathToText(legacy);
  return kWindowsFolder;
}

bool FileExists(std::u16string_view path) {
  const std::filesystem::path native = ToNativePath(path);
  if (native.empty()) return false;
  struct stat info;
  if (::stat(native.c_str(), &info) == 0) return true;
  switch (errno) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return false;
    default:
      return true;  // it may exist; it just cannot be looked at
  }
}

namespace {
void CreateOneFolder(std::u16string_view prefix) {
  // A drive root or the file-system root cannot be created, as on Windows;
  // mapping would otherwise make the drive folder appear.
  if (IsDriveRoot(prefix) || prefix.find_first_not_of(u"\\/") == std::u16string_view::npos) return;
  std::error_code ec;
  std::filesystem::create_directory(ToNativePath(prefix), ec);  // failures are the caller's to find out
}
}  // namespace

#endif

// Creates each missing folder of the path, outermost first.
void CreateFolderPath(std::u16string_view path) {
  if (DryRunFolder(path)) return;
  std::u16string full(path);
  if (full.empty() || !IsPathSeparator(full.back())) full.push_back(u'\\');
  for (std::size_t i = 0; i < full.size(); ++i) {
    if (IsPathSeparator(full[i])) CreateOneFolder(std::u16string_view(full).substr(0, i + 1));
  }
}

}  // namespace vantrel::storage
