// Windows file access for the INI engine: temporary files, FlushFileBuffers,
// ReplaceFileW (keeps the replaced file's ACLs and attributes) or MoveFileExW
// with retries, in-place rewrites with SetEndOfFile, and a named mutex per file
// (per real location, not per spelling) as the writers' lock.
#include <windows.h>

#include <algorithm>
#include <cwctype>
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

class WindowsRewriteFile final : public RewriteFile {
 public:
  explicit WindowsRewriteFile(HANDLE handle) : handle_(handle) {}
  ~WindowsRewriteFile() override { CloseHandle(handle_); }
  bool Truncate() override {
    const LARGE_INTEGER start{};
    return SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) && SetEndOfFile(handle_);
  }
  bool Write(std::string_view bytes) override { return WriteAllTo(handle_, bytes); }
  bool Flush() override { return FlushFileBuffers(handle_) != 0; }

 private:
  HANDLE handle_;
};

// A mutex is owned per thread and may be taken again by its owner, so a
// commit inside a transaction takes it once more; an owner that died leaves
// it abandoned, which the next waiter gets as owned.
class WindowsLock final : public FileLock {
 public:
  explicit WindowsLock(HANDLE mutex) : mutex_(mutex) {}
  ~WindowsLock() override {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

// The mutex's name: a hash of where the file really lies (its final path, or
// while it does not exist its folder's followed by its name, as the rights
// checks resolve paths), in upper case (names cannot hold a backslash; the
// file system ignores letter case), so every spelling of one file (short
// names, "..", links) takes one mutex.
std::wstring MutexName(const fs::path& file) {
  std::error_code ec;
  fs::path full = fs::absolute(file, ec);
  if (ec) full = file;
  full = full.lexically_normal();
  std::wstring path = FinalPathName(full);
  if (path.empty()) {
    const std::wstring folder = FinalPathName(full.parent_path());
    path = folder.empty() ? full.wstring() : folder + L"\\" + full.filename().wstring();
  }
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : path) {
    hash = (hash ^ static_cast<std::uint64_t>(std::towupper(static_cast<wint_t>(c)))) * 1099511628211ull;
  }
  wchar_t hex[17];
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789abcdef"[hash & 15];
  hex[16] = 0;
  return std::wstring(L"Vantrel.ini-lock.") + hex;
}

// Whatever user runs a writer (a web page's account, an administrator) must
// open the same mutex: it gets a null DACL.
HANDLE OpenWritersMutex(const std::wstring& name) {
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  const DWORD access = SYNCHRONIZE | MUTEX_MODIFY_STATE;
  // Global: writers in other sessions (a service, a remote desktop) share it.
  HANDLE mutex = CreateMutexExW(&attributes, (L"Global\\" + name).c_str(), 0, access);
  if (mutex == nullptr) mutex = CreateMutexExW(&attributes, (L"Local\\" + name).c_str(), 0, access);
  return mutex;
}

class WindowsFileIo final : public FileIo {
 public:
  PathKind Stat(const fs::path& file) override {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
      return (attributes & FILE_ATTRIBUTE_READONLY) ? PathKind::ReadOnlyFile : PathKind::File;
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

  std::unique_ptr<RewriteFile> OpenForRewrite(const fs::path& file) override {
    // Readers (the FTP server, lone reads) keep their access meanwhile.
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WindowsRewriteFile>(handle);
  }

  void RemoveStaleTemps(const fs::path& target) override {
    // ".<name>.<process>-<ticks>.tmp", as CreateTemp names them.
    const std::wstring prefix = L"." + target.filename().wstring() + L".";
    const fs::path folder = target.parent_path();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder / (prefix + L"*.tmp")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::wstring entry = found.cFileName;
      const std::wstring middle = entry.size() > prefix.size() + 4
                                      ? entry.substr(prefix.size(), entry.size() - prefix.size() - 4)
                                      : std::wstring();
      if (!middle.empty() && middle.find_first_not_of(L"0123456789-") == std::wstring::npos) {
        DeleteFileW((folder / found.cFileName).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }

  std::unique_ptr<FileLock> Lock(const fs::path& file) override {
    HANDLE mutex = OpenWritersMutex(MutexName(file));
    if (mutex == nullptr) return nullptr;
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
      CloseHandle(mutex);
      return nullptr;
    }
    return std::make_unique<WindowsLock>(mutex);
  }
};

}  // namespace

std::string SystemErrorText() {
  const DWORD code = GetLastError();
  char text[512];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                           sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == '.')) --n;
  return n > 0 ? std::string(text, n) : "system error " + std::to_string(code);
}

FileIo& RealFileIo() {
  static WindowsFileIo io;
  return io;
}

std::wstring FinalPathName(const fs::path& path) {
  const HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::wstring text(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), FILE_NAME_NORMALIZED);
  if (n >= text.size()) {
    text.resize(n + 1);
    n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), FILE_NAME_NORMALIZED);
  }
  CloseHandle(handle);
  if (n == 0 || n >= text.size()) return {};
  text.resize(n);
  if (text.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + text.substr(8);
  if (text.starts_with(L"\\\\?\\")) return text.substr(4);
  return text;
}

}  // namespace vantrel::storage
