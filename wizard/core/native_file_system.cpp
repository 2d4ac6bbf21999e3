// The parts of the wizard's file system that the library's foundation does
// for both platforms: the ANSI code page and the atomic replacement of a file.
#include <filesystem>

#include "automation/text.hpp"
#include "core/native_file_system.hpp"
#include "storage/codepage.hpp"
#include "storage/file_io.hpp"
#include "storage/native_text.hpp"

namespace vantrel::wizard {

AnsiText NativeFileSystem::ToAnsi(std::u16string_view text) {
  std::string bytes = storage::ToAnsi(text);
  if (storage::FromAnsi(bytes) != text) {
    return {std::nullopt, u"the folder holds a character that the code page " +
                              automation::FromUtf8(storage::AnsiCodePageName()) + u" cannot represent"};
  }
  return {std::move(bytes), {}};
}

std::optional<std::u16string> NativeFileSystem::ReplaceContents(const std::u16string& path,
                                                               const std::string& bytes) {
  namespace fs = std::filesystem;
#ifdef _WIN32
  fs::path target(std::wstring(path.begin(), path.end()));
#else
  fs::path target(storage::Utf16ToUtf8(path));
#endif
  // A symbolic link's target is replaced (the link stays).
  std::string error;
  if (storage::ReplaceFileContent(target, bytes, error))
    return std::nullopt;
  return automation::FromUtf8(error);
}

}  // namespace vantrel::wizard
