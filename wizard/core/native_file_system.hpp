// The wizard's file system on the running platform: the existence query,
// the system ANSI code page and the atomic replacement of a file.
#pragma once

#include <string>

#include "core/services.hpp"

namespace vantrel::wizard {

class NativeFileSystem final : public FileSystem {
 public:
  ProbeResult Probe(const std::u16string& path) override;
  AnsiText ToAnsi(std::u16string_view text) override;
  std::optional<std::u16string> ReplaceContents(const std::u16string& path,
                                                const std::string& bytes) override;
};

#ifndef _WIN32
// The code set the user's locale names (LC_ALL, then LC_CTYPE, then LANG);
// the C and POSIX locales count as UTF-8.
std::string LocaleCodeSet();
#endif

}  // namespace vantrel::wizard
