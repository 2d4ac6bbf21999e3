// POSIX folder search: readdir over the folder the pattern names, names
// matched with the Windows wildcard rules, statx for sizes and times.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>

#include "automation/text.hpp"
#include "storage/folder_search.hpp"
#include "storage/name_pattern.hpp"
#include "storage/native_text.hpp"
#include "storage/paths.hpp"

namespace vantrel::storage {
namespace {

UtcStamp ToStamp(std::int64_t seconds) {
  using namespace std::chrono;
  const sys_seconds at{std::chrono::seconds(seconds)};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss<std::chrono::seconds> time{at - day};
  UtcStamp stamp;
  stamp.year = static_cast<int>(date.year());
  stamp.month = static_cast<int>(static_cast<unsigned>(date.month()));
  stamp.day = static_cast<int>(static_cast<unsigned>(date.day()));
  stamp.hour = static_cast<int>(time.hours().count());
  stamp.minute = static_cast<int>(time.minutes().count());
  stamp.second = static_cast<int>(time.seconds().count());
  return stamp;
}

// Size, folder flag and times of one entry. A link is described by what it
// points to, as a listing shows it; a dangling link by the link itself.
bool Describe(int folderFd, const char* name, FoundEntry& entry) {
  struct statx sx {};
  const unsigned mask = STATX_TYPE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
  if (::statx(folderFd, name, AT_NO_AUTOMOUNT, mask, &sx) != 0 &&
      ::statx(folderFd, name, AT_NO_AUTOMOUNT | AT_SYMLINK_NOFOLLOW, mask, &sx) != 0) {
    return false;
  }
  entry.isFolder = S_ISDIR(sx.stx_mode);
  entry.size = sx.stx_size;
  entry.lastAccessTime = ToStamp(sx.stx_atime.tv_sec);
  entry.lastWriteTime = ToStamp(sx.stx_mtime.tv_sec);
  entry.creationTime = (sx.stx_mask & STATX_BTIME) ? ToStamp(sx.stx_btime.tv_sec) : entry.lastWriteTime;
  return true;
}

}  // namespace

class FolderSearch::Impl {
 public:
  ~Impl() {
    if (dir_) ::closedir(dir_);
  }

  bool Open(std::u16string_view pattern) {
    std::size_t cut = pattern.size();
    while (cut > 0 && !IsPathSeparator(pattern[cut - 1])) --cut;
    namePattern_ = std::u16string(pattern.substr(cut));
    const std::u16string_view folder = pattern.substr(0, cut);
    const std::filesystem::path native = folder.empty() ? std::filesystem::path(".") : ToNativePath(folder);
    dir_ = ::opendir(native.c_str());
    return dir_ != nullptr;
  }

  bool Read(FoundEntry& entry) {
    if (!dir_) return false;
    while (const dirent* d = ::readdir(dir_)) {
      const std::string raw = d->d_name;
      if (raw == "." || raw == "..") continue;
      std::u16string name = automation::FromUtf8(raw);
      if (!MatchesNamePattern(namePattern_, name)) continue;
      if (!Describe(::dirfd(dir_), raw.c_str(), entry)) continue;  // gone since it was read
      entry.name = std::move(name);
      return true;
    }
    return false;
  }

 private:
  DIR* dir_ = nullptr;
  std::u16string namePattern_;
};

FolderSearch::FolderSearch() = default;
FolderSearch::~FolderSearch() = default;

bool FolderSearch::First(std::u16string_view pattern, FoundEntry& entry) {
  impl_ = std::make_unique<Impl>();
  if (!impl_->Open(pattern)) return false;
  return impl_->Read(entry);
}

bool FolderSearch::Next(FoundEntry& entry) { return impl_ && impl_->Read(entry); }

}  // namespace vantrel::storage
