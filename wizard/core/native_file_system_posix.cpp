#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/native_file_system.hpp"
#include "core/unicode_text.hpp"

namespace vantrel::wizard {
namespace {

std::u16string ErrorText(int error) { return Utf16FromUtf8(std::strerror(error)); }

std::string CodeSetOfLocaleName(const std::string& name) {
  if (name.empty() || name == "C" || name == "POSIX") return "UTF-8";
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) {
    const std::size_t at = name.find('@', dot);
    std::string codeSet = name.substr(dot + 1, at == std::string::npos ? std::string::npos
                                                                       : at - dot - 1);
    if (!codeSet.empty()) return codeSet;
  }
  // A name without a code set ("de_DE"): ask the locale itself when it is installed.
  std::string codeSet = "UTF-8";
  if (locale_t locale = newlocale(LC_CTYPE_MASK, name.c_str(), locale_t{})) {
    if (const char* answer = nl_langinfo_l(CODESET, locale); answer && *answer) codeSet = answer;
    freelocale(locale);
  }
  return codeSet;
}

// Closes a descriptor and removes a temporary file unless released.
class TemporaryFile {
 public:
  TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }
  void Release() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string LocaleCodeSet() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return CodeSetOfLocaleName(value);
  }
  return "UTF-8";
}

ProbeResult NativeFileSystem::Probe(const std::u16string& path) {
  struct stat info {};
  if (::stat(Utf8FromUtf16(path).c_str(), &info) == 0) return ProbeResult::Found;
  switch (errno) {
    case ENOENT: return ProbeResult::FileNotFound;
    case ENOTDIR: return ProbeResult::PathNotFound;
    case ENXIO:
    case ENODEV: return ProbeResult::DeviceUnavailable;
    default: return ProbeResult::OtherFailure;
  }
}

AnsiText NativeFileSystem::ToAnsi(std::u16string_view text) {
  const std::string codeSet = LocaleCodeSet();
  std::string utf8 = Utf8FromUtf16(text);
  iconv_t converter = iconv_open(codeSet.c_str(), "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1))
    return {std::nullopt, u"the code set " + Utf16FromUtf8(codeSet) + u" is not supported"};

  std::string out;
  std::vector<char> buffer(4 * utf8.size() + 16);
  char* in = utf8.data();
  std::size_t inLeft = utf8.size();
  AnsiText result;
  while (true) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t rc = iconv(converter, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
    if (rc != static_cast<std::size_t>(-1)) {
      if (inLeft == 0) break;
      continue;
    }
    if (errno == E2BIG) continue;
    result.error = u"the folder holds a character that the code set " + Utf16FromUtf8(codeSet) +
                   u" cannot represent";
    iconv_close(converter);
    return result;
  }
  iconv_close(converter);
  result.bytes = std::move(out);
  return result;
}

std::optional<std::u16string> NativeFileSystem::ReplaceContents(const std::u16string& path,
                                                               const std::string& bytes) {
  std::string target = Utf8FromUtf16(path);
  if (target.empty()) return ErrorText(ENOENT);
  // Replace the file a symbolic link points to, not the link.
  struct stat linkInfo {};
  if (::lstat(target.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
    if (char* resolved = ::realpath(target.c_str(), nullptr)) {
      target = resolved;
      std::free(resolved);
    }
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return ErrorText(EISDIR);

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string pattern =
      (slash == std::string::npos ? std::string() : folder) + "." + name + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return ErrorText(errno);
  TemporaryFile temporary(fd, pattern);

  if (exists) {
    // The replaced file keeps its owner, group and mode.
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 && errno != EPERM)
      return ErrorText(errno);
    if (::fchmod(fd, existing.st_mode & 07777) != 0) return ErrorText(errno);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) return ErrorText(errno);
  }
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) return ErrorText(errno);
  if (temporary.Close() != 0) return ErrorText(errno);
  if (::rename(temporary.path().c_str(), target.c_str()) != 0) return ErrorText(errno);
  temporary.Release();
  return std::nullopt;
}

}  // namespace vantrel::wizard
