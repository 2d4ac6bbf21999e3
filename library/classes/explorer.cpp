// Explorer operations: listing one folder's subfolders and files for an
// administrator within its reach, and creating folder paths.
#include "classes/explorer.hpp"

#include <charconv>
#include <optional>
#include <string>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "storage/fields.hpp"
#include "storage/folder_search.hpp"
#include "storage/paths.hpp"

namespace vantrel::classes {
namespace {

using storage::IsPathSeparator;

constexpr char16_t kRightLimited[] = u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword";
constexpr char16_t kNoCurrentDir[] = u"Current directory is not found";
constexpr char16_t kNoDirRight[] = u"The HomeDir has no right!";

// The largest FileLength; files of 2 GiB and more are given as this.
constexpr std::int32_t kLengthCap = 2147483647;

// The domain number of a stored entry's domain field, when it is the decimal
// text the library writes for one; nothing else can pass the domain check.
std::optional<std::int16_t> DomainNumber(const std::u16string& text) {
  const std::string digits = automation::ToUtf8(text);
  std::int16_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || std::to_string(number) != digits) {
    return std::nullopt;
  }
  return number;
}

// The system administrator, or a domain administrator checked against its
// own domain: the listing has no domain of its own to check against.
bool MayBrowse(const String& name, const String& password) {
  if (admin::CheckSystemAdmin(name, password)) return true;
  if (password.empty()) return false;  // as the domain right check: before the entry is read
  const std::u16string entry = admin::ReadSetting(admin::kPrivateDirSection, name);
  if (entry.empty()) return false;
  const std::optional<std::int16_t> domain = DomainNumber(admin::FieldAt(storage::SplitFields(entry), 1));
  return domain && admin::CheckDomainRight(name, password, *domain);
}

// The folder a search pattern looks in: everything before its last part.
std::u16string FolderOf(std::u16string_view pattern) {
  std::size_t cut = pattern.size();
  while (cut > 0 && !IsPathSeparator(pattern[cut - 1])) --cut;
  return std::u16string(pattern.substr(0, cut));
}

automation::Date ToDate(const storage::UtcStamp& t) {
  return automation::MakeDate(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

std::int32_t FileLength(std::uint64_t size) {
  return size >= static_cast<std::uint64_t>(kLengthCap) ? kLengthCap : static_cast<std::int32_t>(size);
}

// Why a listing of `pattern` is refused, or nullptr. The checks read one state
// of the settings file, which is parsed once for all of them.
const char16_t* ListingRefusal(const String& name, const String& password, const String& currentDir,
                               const String& fileSpec, std::u16string_view pattern) {
  admin::SettingsTransaction settings;
  if (!MayBrowse(name, password)) return kRightLimited;
  if (currentDir.empty()) return kNoCurrentDir;
  if (!admin::CheckDirRight(name, password, currentDir)) return kNoDirRight;
  // A FileSpec with folder parts searches where it leads, which must be
  // within the caller's reach too ("..\..\*.*" must not climb out).
  if (fileSpec.find_first_of(u"\\/:") != String::npos && !admin::CheckDirRight(name, password, FolderOf(pattern))) {
    return kNoDirRight;
  }
  return nullptr;
}

}  // namespace

bool Explorer::List(const String& FileSpec) {
  ErrorMsg.clear();
  const std::u16string pattern = storage::PathJoin(CurrentDir, FileSpec);
  if (const char16_t* refusal = ListingRefusal(AdminName, AdminPassword, CurrentDir, FileSpec, pattern)) {
    ErrorMsg = refusal;
    return false;
  }

  const Ref<Directory> directories = DirectoryProperty.Renew();
  const Ref<File> files = FileProperty.Renew();
  try {
    storage::FolderSearch search;  // closed on every way out
    storage::FoundEntry entry;
    for (bool found = search.First(pattern, entry); found; found = search.Next(entry)) {
      if (entry.isFolder) {
        if (!entry.name.empty() && entry.name.front() == u'.') continue;  // ".", ".." and hidden folders
        directories->Add(entry.name, ToDate(entry.creationTime), entry.name);
      } else {
        files->Add(entry.name, FileLength(entry.size), ToDate(entry.lastWriteTime), ToDate(entry.creationTime),
                   ToDate(entry.lastAccessTime), entry.name);
      }
    }
  } catch (const std::exception&) {
    // A listing that fails part way keeps what it found; ErrorMsg stays empty.
    return false;
  }
  return true;
}

void Explorer::CreateDir(const String& Path) { storage::CreateFolderPath(Path); }

}  // namespace vantrel::classes
