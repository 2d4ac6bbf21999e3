#include <windows.h>

#include "core/native_file_system.hpp"

namespace vantrel::wizard {
namespace {

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

ProbeResult NativeFileSystem::Probe(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) return ProbeResult::Found;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND: return ProbeResult::FileNotFound;
    case ERROR_PATH_NOT_FOUND: return ProbeResult::PathNotFound;
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ProbeResult::DeviceUnavailable;
    default: return ProbeResult::OtherFailure;
  }
}

}  // namespace vantrel::wizard
