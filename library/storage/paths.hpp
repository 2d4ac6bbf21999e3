#pragma once
// Paths and the file system as the library's logic sees them: Windows-form
// paths with the backslash, joined by PathJoin, and the few folder and file
// queries the operations need. Every file access goes through ToNativePath.
//
// On POSIX the platform is stood in for: the system root (VANTREL_ROOT, by
// default /var/lib/vantrel, read at every call) holds the drives
// <root>/drives/<letter>, and so the Windows folder C:\Windows at
// <root>/drives/c/Windows; both "\" and "/"
// separate; a missing component is looked up again without regard to letter
// case, as Windows would find it.
#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::storage {

// "\" and "/" both separate the parts of a path.
constexpr bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Folder and name, each with surrounding spaces removed, joined by one "\"
// unless the folder already ends with one. An empty folder gives the name.
std::u16string PathJoin(std::u16string_view folder, std::u16string_view name);

// The Windows folder, without a trailing separator; empty when it cannot be
// determined. On POSIX C:\Windows, or the native path of the legacy folder
// (LegacyWindowsFolder) while a root still uses it.
std::u16string WindowsFolder();

// True when the file or folder exists. Not found (no such file, folder or
// drive) is False; any other failure to look (e.g. no permission) is True.
bool FileExists(std::u16string_view path);

// Creates the folder and every missing folder above it, one level at a time;
// every failure is ignored.
void CreateFolderPath(std::u16string_view path);

// The native path a Windows-form path names. POSIX: "X:\rest" maps to
// <root>/drives/x/rest, a path starting with a separator is absolute, any other
// path (a bare name too) is relative to the current folder; "." and ".." are
// resolved lexically; in drive paths trailing dots and spaces of a name are
// dropped, as Windows does; components missing under their exact name are matched
// without regard to letter case. Windows: the path itself.
std::filesystem::path ToNativePath(std::u16string_view windowsPath);

// Text of a native path or name (UTF-8 on POSIX) as UTF-16.
std::u16string NativePathToText(const std::filesystem::path& path);

#ifndef _WIN32
// The system root of the POSIX stand-ins: VANTREL_ROOT made absolute, or
// /var/lib/vantrel when the variable is unset or empty.
std::filesystem::path SystemRoot();

inline constexpr char16_t kWindowsFolder[] = u"C:\\Windows";

// <root>/Windows, where roots made by earlier versions keep the Windows
// folder, when it exists and <root>/drives/c/Windows does not; else empty.
std::filesystem::path LegacyWindowsFolder();
#endif

}  // namespace vantrel::storage
