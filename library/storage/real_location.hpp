#pragma once
// Where a path really leads, for the directory right checks: the real path of
// its longest existing prefix (symbolic links, junctions and ".." resolved,
// short 8.3 names expanded, the letter case found on disk), followed by the
// rest of the path, which does not exist and so cannot lead elsewhere yet.
#include <string>
#include <string_view>

namespace vantrel::storage {

// The real location as a native path text, comparable with another one by
// RealLocationWithin; empty when it cannot be told (a link that leads
// nowhere, a prefix that cannot be examined): such a path is admitted nowhere.
std::u16string RealLocation(std::u16string_view windowsPath);

// True when the real location `path` is `folder` or lies below it. Letter
// case counts on POSIX (two folders may differ by case alone), not on Windows.
bool RealLocationWithin(std::u16string_view path, std::u16string_view folder);

}  // namespace vantrel::storage
