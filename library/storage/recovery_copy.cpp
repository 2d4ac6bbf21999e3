#include "storage/recovery_copy.hpp"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "storage/file_io.hpp"

namespace vantrel::storage {
namespace {

namespace fs = std::filesystem;

std::string Hex16(std::uint64_t value) {
  std::string hex(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 15];
  return hex;
}

// "\0vantrel-recovery <length> <FNV-1a 64>\n": a copy cut anywhere, or mixed
// with an older longer one, does not end in the trailer of what precedes it.
std::string TrailerOf(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return std::string("\0vantrel-recovery ", 18) + Hex16(text.size()) + " " + Hex16(hash) + "\n";
}
constexpr std::size_t kTrailerSize = 18 + 16 + 1 + 16 + 1;

bool WriteWhole(RewriteFile* out, std::string_view bytes, std::string_view trailer = {}) {
  return out != nullptr && out->Truncate() && out->Write(bytes) && (trailer.empty() || out->Write(trailer)) &&
         out->Flush();
}

bool Empty(const fs::path& recovery) {
  const std::unique_ptr<RewriteFile> out = CurrentFileIo().OpenForRewrite(recovery);
  return out && out->Truncate() && out->Flush();
}

}  // namespace

fs::path RecoveryFileOf(const fs::path& file) {
  fs::path recovery = file;
  recovery += "~recovery";
  return recovery;
}

bool HasRecoveryFile(const fs::path& file) {
  const PathKind kind = CurrentFileIo().Stat(RecoveryFileOf(file));
  return kind != PathKind::Missing && kind != PathKind::MissingFolder;
}

bool FinishInterruptedRewrite(const fs::path& file, std::string& error) {
  FileIo& io = CurrentFileIo();
  const fs::path recovery = RecoveryFileOf(file);
  const PathKind kind = io.Stat(recovery);
  if (kind == PathKind::Missing || kind == PathKind::MissingFolder) return true;
  std::string copy;
  if ((kind != PathKind::File && kind != PathKind::ReadOnlyFile) || !io.Read(recovery, copy)) {
    error = "cannot read the recovery file " + recovery.string() + " (" + SystemErrorText() + ")";
    return false;
  }
  if (copy.empty()) return true;
  const std::string_view text = std::string_view(copy).substr(0, copy.size() - std::min(copy.size(), kTrailerSize));
  if (copy.size() < kTrailerSize || copy.compare(text.size(), kTrailerSize, TrailerOf(text)) != 0) {
    Empty(recovery);  // cut while it was written: the file is still the old one
    return true;
  }
  if (!WriteWhole(io.OpenForRewrite(file).get(), text)) {
    error = "cannot finish the interrupted rewrite of " + file.string() + " (" + SystemErrorText() +
            "); its new text stays in " + recovery.string();
    return false;
  }
  Empty(recovery);  // if this fails, the next access writes the same text again
  return true;
}

InPlaceResult RewriteInPlace(const fs::path& file, std::string_view bytes, std::string& error) {
  const fs::path recovery = RecoveryFileOf(file);
  {
    const std::unique_ptr<RewriteFile> copy = CurrentFileIo().OpenForRewrite(recovery);
    if (!copy) return InPlaceResult::NoRecoveryFile;
    if (!WriteWhole(copy.get(), bytes, TrailerOf(bytes))) {
      error = "writing the recovery file failed (disk full?): " + recovery.string();
      copy->Truncate();  // a complete but unflushed copy would be taken for the new text
      return InPlaceResult::Failed;
    }
  }
  // The copy is complete: finishing it is the rewrite, tried once more after a fault.
  if (FinishInterruptedRewrite(file, error) || FinishInterruptedRewrite(file, error)) return InPlaceResult::Done;
  return InPlaceResult::Failed;
}

}  // namespace vantrel::storage
