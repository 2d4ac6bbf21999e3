// Windows folder search: the system's own directory search and time
// conversion, so wildcard rules and time stamps are exactly the platform's.
#include <windows.h>

#include "storage/folder_search.hpp"

namespace vantrel::storage {
namespace {

UtcStamp ToStamp(const FILETIME& time) {
  SYSTEMTIME st{};
  UtcStamp stamp;
  if (!FileTimeToSystemTime(&time, &st)) return stamp;
  stamp.year = st.wYear;
  stamp.month = st.wMonth;
  stamp.day = st.wDay;
  stamp.hour = st.wHour;
  stamp.minute = st.wMinute;
  stamp.second = st.wSecond;
  return stamp;
}

void Fill(const WIN32_FIND_DATAW& data, FoundEntry& entry) {
  const wchar_t* name = data.cFileName;
  entry.name.assign(name, name + wcsnlen(name, MAX_PATH));
  entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  entry.creationTime = ToStamp(data.ftCreationTime);
  entry.lastAccessTime = ToStamp(data.ftLastAccessTime);
  entry.lastWriteTime = ToStamp(data.ftLastWriteTime);
}

}  // namespace

class FolderSearch::Impl {
 public:
  ~Impl() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

FolderSearch::FolderSearch() = default;
FolderSearch::~FolderSearch() = default;

bool FolderSearch::First(std::u16string_view pattern, FoundEntry& entry) {
  impl_ = std::make_unique<Impl>();
  const std::wstring native(pattern.begin(), pattern.end());
  WIN32_FIND_DATAW data{};
  impl_->handle_ = FindFirstFileW(native.c_str(), &data);
  if (impl_->handle_ == INVALID_HANDLE_VALUE) return false;
  Fill(data, entry);
  return true;
}

bool FolderSearch::Next(FoundEntry& entry) {
  if (!impl_ || impl_->handle_ == INVALID_HANDLE_VALUE) return false;
  WIN32_FIND_DATAW data{};
  if (!FindNextFileW(impl_->handle_, &data)) return false;
  Fill(data, entry);
  return true;
}

}  // namespace vantrel::storage
