// Windows file access for the INI engine: temporary files, FlushFileBuffers,
// ReplaceFileW (keeps the replaced file's ACLs and attributes) or MoveFileExW
// with retries, and LockFileEx on a sidecar lock file.
#include <windows.h>

#include <algorithm>
#include <string>

#include "storage/file_io.hpp"

namespace vantrel::storage {
namespace {

namespace fs = std::filesystem;

constexpr int kRetries = 10;
constexpr DWORD kRetryPauseMs = 50;

bool WriteAllTo(HANDLE handle, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) return false;
    done += written;
  }
  return true;
}

class WindowsTempFile final : public TempFile {
 public:
  WindowsTempFile(HANDLE handle, fs::path path) : handle_(handle), path_(std::move(path)) {}
  ~WindowsTempFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!renamed_) DeleteFileW(path_.c_str());
  }
  bool Write(std::string_view bytes) override { return WriteAllTo(handle_, bytes); }
  bool Flush() override { return FlushFileBuffers(handle_) != 0; }
  bool RenameOver(const fs::path& target, unsigned /*new_file_mode: POSIX only*/) override {
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    // Other processes (a virus scanner, the FTP server reading) may hold the
    // file for a moment: retry before giving up.
    for (int attempt = 0; attempt < kRetries; ++attempt) {
      if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
          ReplaceFileW(target.c_str(), path_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        renamed_ = true;
        return true;
      }
      if (MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        renamed_ = true;
        return true;
      }
      Sleep(kRetryPauseMs);
    }
    return false;
  }

 private:
  HANDLE handle_;
  fs::path path_;
  bool renamed_ = false;
};

class WindowsLock final : public FileLock {
 public:
  explicit WindowsLock(HANDLE handle) : handle_(handle) {}
  ~WindowsLock() override {
    OVERLAPPED overlapped{};
    UnlockFileEx(handle_, 0, 1, 0, &overlapped);
    CloseHandle(handle_);
  }

 private:
  HANDLE handle_;
};

class WindowsFileIo final : public FileIo {
 public:
  PathKind Stat(const fs::path& file) override {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
    }
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
        return PathKind::Missing;
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_NAME:
        return PathKind::MissingFolder;
      default:
        return PathKind::Error;
    }
  }

  bool Read(const fs::path& file, std::string& bytes) override {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle, &size) && size.QuadPart > 0) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char chunk[65536];
    bool ok = true;
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(handle, chunk, sizeof chunk, &got, nullptr)) {
        ok = false;
        break;
      }
      if (got == 0) break;
      bytes.append(chunk, got);
    }
    CloseHandle(handle);
    return ok;
  }

  std::unique_ptr<TempFile> CreateTemp(const fs::path& target) override {
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::wstring name = L"." + target.filename().wstring() + L"." +
                                std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(GetTickCount64() + static_cast<ULONGLONG>(attempt)) + L".tmp";
      const fs::path path = folder / name;
      HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) return std::make_unique<WindowsTempFile>(handle, path);
      if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
  }

  bool RewriteInPlace(const fs::path& file, std::string_view bytes) override {
    // Not atomic: used only when the folder refuses temporary files.
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool ok = WriteAllTo(handle, bytes) && SetEndOfFile(handle) && FlushFileBuffers(handle);
    CloseHandle(handle);
    return ok;
  }

  std::unique_ptr<FileLock> Lock(const fs::path& lock_file) override {
    HANDLE handle = CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    OVERLAPPED overlapped{};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &overlapped)) {
      CloseHandle(handle);
      return nullptr;
    }
    return std::make_unique<WindowsLock>(handle);
  }
};

}  // namespace

FileIo& RealFileIo() {
  static WindowsFileIo io;
  return io;
}

}  // namespace vantrel::storage
