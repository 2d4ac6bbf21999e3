#include <windows.h>

#include <vector>

#include "core/native_file_system.hpp"

namespace vantrel::wizard {
namespace {

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string ErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (length && buffer) {
    text.assign(reinterpret_cast<const char16_t*>(buffer), length);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
      text.pop_back();
  }
  if (buffer) LocalFree(buffer);
  if (text.empty()) {
    const std::string number = std::to_string(error);
    text = u"system error " + std::u16string(number.begin(), number.end());
  }
  return text;
}

// Removes the temporary file unless it was moved into place.
class TemporaryPath {
 public:
  explicit TemporaryPath(std::wstring path) : path_(std::move(path)) {}
  TemporaryPath(const TemporaryPath&) = delete;
  TemporaryPath& operator=(const TemporaryPath&) = delete;
  ~TemporaryPath() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  const wchar_t* c_str() const { return path_.c_str(); }
  void Release() { path_.clear(); }

 private:
  std::wstring path_;
};

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

AnsiText NativeFileSystem::ToAnsi(std::u16string_view text) {
  AnsiText result;
  if (text.empty()) {
    result.bytes = std::string();
    return result;
  }
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  // The UTF-8 code page takes neither the flag nor the default-character check.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int size = WideCharToMultiByte(CP_ACP, flags, wide, count, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0) {
    result.error = ErrorText(GetLastError());
    return result;
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide, count, bytes.data(), size, nullptr, usedDefaultOut);
  if (usedDefault) {
    result.error = u"the folder holds a character that the system code page cannot represent";
    return result;
  }
  result.bytes = std::move(bytes);
  return result;
}

std::optional<std::u16string> NativeFileSystem::ReplaceContents(const std::u16string& path,
                                                               const std::string& bytes) {
  const DWORD needed = GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
  if (needed == 0) return ErrorText(GetLastError());
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(Wide(path), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return ErrorText(GetLastError());
  full.resize(length);

  const DWORD attributes = GetFileAttributesW(full.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ErrorText(ERROR_ACCESS_DENIED);

  const std::size_t slash = full.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : full.substr(0, slash + 1);
  wchar_t temporaryName[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folder.c_str(), L"vtw", 0, temporaryName)) return ErrorText(GetLastError());
  TemporaryPath temporary(temporaryName);

  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ErrorText(GetLastError());
  DWORD written = 0;
  const BOOL wrote =
      bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                  nullptr) &&
                        written == bytes.size());
  const DWORD writeError = GetLastError();
  const BOOL flushed = wrote && FlushFileBuffers(file);
  const DWORD flushError = GetLastError();
  CloseHandle(file);
  if (!wrote) return ErrorText(writeError);
  if (!flushed) return ErrorText(flushError);

  // The replacement keeps the old file's attributes and security; a file
  // held open by another program gets a few more tries.
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (exists && ReplaceFileW(full.c_str(), temporary.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      temporary.Release();
      return std::nullopt;
    }
    if (MoveFileExW(temporary.c_str(), full.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      temporary.Release();
      return std::nullopt;
    }
    error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
        error != ERROR_LOCK_VIOLATION)
      break;
    Sleep(50);
  }
  return ErrorText(error);
}

}  // namespace vantrel::wizard
