// libFuzzer target for the directory check. Any folder and path text: the
// lexical form is stable, and what a folder admits stays admitted below it.
// Paths built from the names of a small tree with links (out of the root,
// to /etc, dangling, inside it, a case twin): whatever the check admits
// must really lie in the root, by the file system's own canonical path.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "admin/dir_prefix.hpp"
#include "storage/paths.hpp"

namespace fs = std::filesystem;
using namespace vantrel;

namespace {

const fs::path& Tree() {
  static const fs::path top = [] {
    const fs::path t = fs::temp_directory_path() / ("vantrel-dir-fuzz-" + std::to_string(getpid()));
    const fs::path ftp = t / "drives/d/ftp";
    fs::remove_all(t);
    for (const char* dir : {"sales/sub", "other", "SALES"}) fs::create_directories(ftp / dir);
    fs::create_directory_symlink(ftp / "other", ftp / "sales/out");
    fs::create_directory_symlink("/etc", ftp / "sales/etc");
    fs::create_directory_symlink(ftp / "other/new", ftp / "sales/dangling");
    fs::create_directory_symlink(ftp / "sales/sub", ftp / "sales/in");
    fs::create_directory_symlink("..", ftp / "sales/sub/up");
    setenv("VANTREL_ROOT", t.c_str(), 1);
    return t;
  }();
  return top;
}

bool Inside(const fs::path& p, const fs::path& folder) {
  const auto [end, rest] = std::mismatch(folder.begin(), folder.end(), p.begin(), p.end());
  return end == folder.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) {
    // Free text: folder and path split at the first NUL.
    std::u16string text;
    for (std::size_t i = 1; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    const std::size_t cut = text.find(u'\0');
    const std::u16string folder = text.substr(0, cut), path = cut == text.npos ? u"" : text.substr(cut + 1);
    const std::u16string normal = admin::NormaliseFolderPath(path);
    if (admin::NormaliseFolderPath(normal) != normal) std::abort();
    if (admin::IsWithinFolder(path, folder) != admin::IsWithinFolder(normal, folder)) std::abort();
    // A UNC root with an empty server or share name ("////") is left out: it
    // keeps a doubled separator and reads differently once a name follows.
    const bool emptyUncName = normal.find(u"\\\\", 1) != std::u16string::npos;
    if (admin::IsWithinFolder(path, folder) && !normal.empty() && normal.back() != u'.' && !emptyUncName &&
        !admin::IsWithinFolder(normal + u"\\x", folder)) {
      std::abort();
    }
    return 0;
  }
  // A path from the tree's names; the root is d:\ftp\sales.
  static const char16_t* const kNames[] = {u"sales", u"SALES", u"out", u"in", u"etc", u"..", u".", u"dangling",
                                           u"sub", u"up", u"new", u"other", u"x", u"Sales", u"", u"ftp"};
  Tree();
  std::u16string path = (data[0] & 2) ? u"d:\\ftp\\sales" : u"D:/ftp";
  for (std::size_t i = 1; i < size && i < 12; ++i) {
    path += (data[i] & 0x10) ? u'/' : u'\\';
    path += kNames[data[i] & 0x0F];
  }
  if (!admin::IsReallyWithinFolder(path, u"d:\\ftp\\sales")) return 0;
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(storage::ToNativePath(path), ec);
  if (ec || !Inside(real, fs::canonical(Tree() / "drives/d/ftp/sales"))) std::abort();
  return 0;
}
