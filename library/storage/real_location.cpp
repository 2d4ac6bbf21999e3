#include "storage/real_location.hpp"

#include <filesystem>
#include <vector>

#include "storage/case_fold.hpp"
#include "storage/file_io.hpp"
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

std::u16string FinalPath(const std::filesystem::path& p) {
  const std::wstring text = FinalPathName(p);
  return std::u16string(text.begin(), text.end());
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
