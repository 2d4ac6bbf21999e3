// The small text rules the steps apply to paths.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::wizard {

// Which characters end a folder in a path. Windows paths use the backslash
// only; on POSIX the slash separates as well.
enum class Separators { BackslashOnly, BackslashAndSlash };

// The path up to and including its last separator, or the whole path when
// it has none (also for the empty path).
std::u16string FolderOf(std::u16string_view path, Separators separators);

// True when the last characters of `text`, lower-cased, equal `lowerSuffix`
// (which must be lower-case ASCII). Only ASCII letters fold: no other
// character lower-cases onto the letters of the file names compared here.
bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view lowerSuffix);

// Wraps the path in double quotes when it holds a blank, for a command line.
std::u16string QuoteIfBlank(std::u16string_view path);

// What asking the file system for a path's last-modified time gave.
enum class ProbeResult {
  Found,              // the query answered (a file or a folder)
  FileNotFound,       // no such file
  PathNotFound,       // a folder of the path is missing
  DeviceUnavailable,  // no such drive or device, or it is not ready
  OtherFailure,       // a malformed name, a refused access, ...
};

// The existence rule of the wizard: only the three "not found" answers mean
// missing; any other failure counts as existing. The empty name is missing.
bool FileExistsFrom(std::u16string_view path, ProbeResult probe);

}  // namespace vantrel::wizard
