#pragma once
// The directory search behind folder listings: the entries of one folder
// whose names match a pattern with the Windows wildcards "*" and "?", one at
// a time, each with its folder flag, size, name and three UTC time stamps.
//
// Windows: FindFirstFileW/FindNextFileW/FindClose with the system's own
// pattern rules, time stamps through FileTimeToSystemTime. POSIX: the folder
// is read and names are matched by MatchesNamePattern (name_pattern.hpp)
// without regard to letter case; the creation time is the birth time where
// the file system keeps one (statx), else the modification time.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vantrel::storage {

// A UTC calendar time to the second (milliseconds are dropped).
struct UtcStamp {
  int year = 1601, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

struct FoundEntry {
  std::u16string name;  // the last path part only
  bool isFolder = false;
  std::uint64_t size = 0;
  UtcStamp creationTime;
  UtcStamp lastAccessTime;
  UtcStamp lastWriteTime;
};

// One search, closed when the object goes (also when the caller leaves by an
// exception). Not copyable.
class FolderSearch {
 public:
  FolderSearch();
  ~FolderSearch();
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  // Starts a search for `pattern`, a Windows-form path whose last part may
  // hold wildcards ("C:\ftp\*.txt"). False when nothing matches or the folder
  // does not exist; otherwise `entry` holds the first match.
  bool First(std::u16string_view pattern, FoundEntry& entry);

  // The next match; false when there are no more.
  bool Next(FoundEntry& entry);

  class Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace vantrel::storage
