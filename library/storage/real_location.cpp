#include "storage/real_location.hpp"

#include <filesystem>
#include <vector>

#include "storage/case_fold.hpp"
#include "storage/paths.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#endif

namespace vantrel::storage {
namespace {

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';

bool Exists(const std::filesystem::path& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The final path of an existing file or folder through an open handle.
std::u16string FinalPath(const std::filesystem::path& p) {
  const HANDLE h = CreateFileW(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
  }
  CloseHandle(h);
  if (n == 0 || n >= buffer.size()) return {};
  buffer.resize(n);
  std::u16string text(buffer.begin(), buffer.end());
  if (text.starts_with(u"\\\\?\\UNC\\")) return u"\\\\" + text.substr(8);
  if (text.starts_with(u"\\\\?\\")) return text.substr(4);
  return text;
}
#else
constexpr char16_t kSeparator = u'/';

bool Exists(const std::filesystem::path& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0;  // a link that leads nowhere exists too
}

std::u16string FinalPath(const std::filesystem::path& p) {
  char* real = ::realpath(p.c_str(), nullptr);
  if (real == nullptr) return {};
  const std::u16string text = NativePathToText(real);
  std::free(real);
  return text;
}
#endif

}  // namespace

std::u16string RealLocation(std::u16string_view windowsPath) {
  if (windowsPath.empty()) return {};
  std::filesystem::path existing = ToNativePath(windowsPath);
#ifdef _WIN32
  std::wstring full(MAX_PATH, L'\0');
  const DWORD n = GetFullPathNameW(existing.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n == 0 || n >= full.size()) return {};
  full.resize(n);
  existing = full;
#endif
  while (!existing.has_filename() && existing.has_relative_path()) existing = existing.parent_path();
  // Components that do not exist yet, last first: they name nothing to resolve.
  std::vector<std::u16string> missing;
  while (!Exists(existing)) {
    const std::filesystem::path parent = existing.parent_path();
    if (parent == existing || existing.filename().empty()) return {};
    missing.push_back(NativePathToText(existing.filename()));
    existing = parent;
  }
  std::u16string real = FinalPath(existing);
  if (real.empty()) return {};
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (real.back() != kSeparator) real.push_back(kSeparator);
    // A folder made later under this name may differ in case: compare it folded.
    real += LowerText(*it);
  }
  return real;
}

bool RealLocationWithin(std::u16string_view path, std::u16string_view folder) {
  if (path.empty() || folder.empty() || path.size() < folder.size()) return false;
  const std::u16string_view head = path.substr(0, folder.size());
#ifdef _WIN32
  if (!EqualsIgnoreCase(head, folder)) return false;
#else
  if (head != folder) return false;
#endif
  return path.size() == folder.size() || folder.back() == kSeparator || path[folder.size()] == kSeparator;
}

}  // namespace vantrel::storage
