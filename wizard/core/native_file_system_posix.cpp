#include <sys/stat.h>

#include <cerrno>

#include "core/native_file_system.hpp"
#include "storage/native_text.hpp"

namespace vantrel::wizard {

ProbeResult NativeFileSystem::Probe(const std::u16string& path) {
  struct stat info {};
  if (::stat(storage::Utf16ToUtf8(path).c_str(), &info) == 0) return ProbeResult::Found;
  switch (errno) {
    case ENOENT: return ProbeResult::FileNotFound;
    case ENOTDIR: return ProbeResult::PathNotFound;
    case ENXIO:
    case ENODEV: return ProbeResult::DeviceUnavailable;
    default: return ProbeResult::OtherFailure;
  }
}

}  // namespace vantrel::wizard
