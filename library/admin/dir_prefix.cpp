#include "admin/dir_prefix.hpp"

#include <vector>

#include "storage/case_fold.hpp"
#include "storage/paths.hpp"
#include "storage/real_location.hpp"

namespace vantrel::admin {
namespace {

using storage::IsPathSeparator;

// "X:" at the start: a drive root, or a part that would read as one.
bool StartsWithDrive(std::u16string_view text) {
  return text.size() >= 2 && ((text[0] >= u'a' && text[0] <= u'z') || (text[0] >= u'A' && text[0] <= u'Z')) &&
         text[1] == u':';
}

// Splits off the root of a path: "X:\", "X:" (drive-relative), "\\server\share\"
// or "\". Returns the root in normal form and advances `pos` past it.
std::u16string TakeRoot(std::u16string_view path, std::size_t& pos) {
  pos = 0;
  if (StartsWithDrive(path)) {
    pos = 2;
    if (path.size() > 2 && IsPathSeparator(path[2])) {
      while (pos < path.size() && IsPathSeparator(path[pos])) ++pos;
      return std::u16string(path.substr(0, 2)) + u'\\';
    }
    return std::u16string(path.substr(0, 2));
  }
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
    // UNC: the server and share names belong to the root.
    std::u16string root = u"\\\\";
    pos = 2;
    for (int part = 0; part < 2; ++part) {
      while (pos < path.size() && IsPathSeparator(path[pos])) ++pos;
      const std::size_t start = pos;
      while (pos < path.size() && !IsPathSeparator(path[pos])) ++pos;
      root.append(path.substr(start, pos - start));
      root.push_back(u'\\');
    }
    while (pos < path.size() && IsPathSeparator(path[pos])) ++pos;
    return root;
  }
  if (!path.empty() && IsPathSeparator(path[0])) {
    while (pos < path.size() && IsPathSeparator(path[pos])) ++pos;
    return u"\\";
  }
  return {};
}

}  // namespace

std::u16string NormaliseFolderPath(std::u16string_view path) {
  std::size_t pos = 0;
  const std::u16string root = TakeRoot(path, pos);
  const bool absolute = !root.empty() && (root.back() == u'\\');

  std::vector<std::u16string_view> parts;
  while (pos < path.size()) {
    std::size_t end = pos;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    const std::u16string_view part = path.substr(pos, end - pos);
    if (part == u"..") {
      if (!parts.empty() && parts.back() != u"..") {
        parts.pop_back();
      } else if (!absolute) {
        parts.push_back(part);  // a relative path may start above its folder
      }
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    pos = end;
    while (pos < path.size() && IsPathSeparator(path[pos])) ++pos;
  }

  std::u16string normal = root;
  // A relative path whose first part reads as a drive ("x\..\d:\y") stays
  // relative: without the ".\" it would read as the root "d:" next time.
  if (root.empty() && !parts.empty() && StartsWithDrive(parts[0])) normal = u".\\";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) normal.push_back(u'\\');
    normal.append(parts[i]);
  }
  return normal;
}

bool IsWithinFolder(std::u16string_view path, std::u16string_view folder) {
  if (folder.empty()) return false;
  const std::u16string p = NormaliseFolderPath(path);
  const std::u16string f = NormaliseFolderPath(folder);
  if (f.empty() || p.size() < f.size()) return false;
  if (!storage::EqualsIgnoreCase(std::u16string_view(p).substr(0, f.size()), f)) return false;
  // The folder itself, or a path that continues at a folder boundary.
  return p.size() == f.size() || f.back() == u'\\' || p[f.size()] == u'\\';
}

bool IsReallyWithinFolder(std::u16string_view path, std::u16string_view folder) {
  return IsWithinFolder(path, folder) &&
         storage::RealLocationWithin(storage::RealLocation(path), storage::RealLocation(folder));
}

}  // namespace vantrel::admin
