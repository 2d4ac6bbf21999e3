// The wizard's file system on the running platform: the existence query
// (native_file_system_<platform>.cpp), the system ANSI code page and the
// atomic replacement of a file (the library's foundation).
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
}  // namespace vantrel::wizard
