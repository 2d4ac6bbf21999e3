#include "storage/file_io.hpp"

#include <atomic>

#include "storage/recovery_copy.hpp"

namespace vantrel::storage {
namespace {
std::atomic<FileIo*> g_current{nullptr};
}  // namespace

FileIo& CurrentFileIo() {
  FileIo* io = g_current.load();
  return io != nullptr ? *io : RealFileIo();
}

ScopedFileIo::ScopedFileIo(FileIo& io) : previous_(g_current.exchange(&io)) {}

ScopedFileIo::~ScopedFileIo() { g_current.store(previous_); }

bool ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes, std::string& error,
                        unsigned new_file_mode) {
  const auto content = [bytes](const std::function<void(std::string_view)>& put) { put(bytes); };
  return ReplaceFileContent(file, content, error, new_file_mode);
}

std::filesystem::path ResolveLinks(const std::filesystem::path& file) {
  std::filesystem::path path = file;
  std::error_code ec;
  // 40 links at most, as the kernels allow; a loop ends in a write that fails.
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(path, ec); ++hops) {
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

namespace {

// Gathers small pieces into one write; big pieces go out as they are.
class PieceWriter {
 public:
  explicit PieceWriter(TempFile& temp) : temp_(temp) {}
  void Put(std::string_view piece) {
    if (!ok_) return;
    if (buffer_.size() + piece.size() <= kBuffer) {
      buffer_ += piece;
      return;
    }
    Drain();
    if (piece.size() < kBuffer) {
      buffer_ += piece;
    } else {
      ok_ = temp_.Write(piece);
    }
  }
  bool Finish() {
    Drain();
    return ok_;
  }

 private:
  static constexpr std::size_t kBuffer = 1 << 16;
  void Drain() {
    if (ok_ && !buffer_.empty()) ok_ = temp_.Write(buffer_);
    buffer_.clear();
  }
  TempFile& temp_;
  std::string buffer_;
  bool ok_ = true;
};

}  // namespace

bool ReplaceFileContent(const std::filesystem::path& link, const ContentPieces& content, std::string& error,
                        unsigned new_file_mode) {
  FileIo& io = CurrentFileIo();
  const std::filesystem::path file = ResolveLinks(link);
  const std::string folder = file.parent_path().empty() ? "." : file.parent_path().string();
  // Taken again by a thread that holds it (a transaction's commit).
  const std::unique_ptr<FileLock> lock = io.Lock(file);
  const PathKind kind = io.Stat(file);
  switch (kind) {
    case PathKind::Folder:
      error = "the path names a folder: " + file.string();
      return false;
    case PathKind::MissingFolder:
      error = "the folder does not exist: " + folder;
      return false;
    case PathKind::Error:
      error = "the file cannot be examined: " + file.string();
      return false;
    case PathKind::ReadOnlyFile:
      error = "the file is read-only: " + file.string();
      return false;
    case PathKind::File:
    case PathKind::Missing:
      break;
  }
  if (lock) {
    io.RemoveStaleTemps(file);
    if (!FinishInterruptedRewrite(file, error)) return false;
  }
  std::unique_ptr<TempFile> temp = io.CreateTemp(file);
  if (!temp) {
    const std::string why = SystemErrorText();
    if (kind == PathKind::File && lock) {  // in place, only under the lock that finishes interrupted rewrites
      std::string bytes;
      content([&bytes](std::string_view piece) { bytes += piece; });
      const InPlaceResult result = RewriteInPlace(file, bytes, error);
      if (result != InPlaceResult::NoRecoveryFile) return result == InPlaceResult::Done;
    }
    // Never rewritten in place without a recovery copy: a fault part way would leave a cut file.
    error = "cannot create a temporary file in the folder " + folder + " (" + why + "): writing " +
            file.filename().string() +
            " needs the right to create, rename and delete files in that folder, and free space, or a writable "
            "recovery file " + RecoveryFileOf(file).filename().string() + " beside it, made in advance";
    return false;
  }
  PieceWriter writer(*temp);
  content([&writer](std::string_view piece) { writer.Put(piece); });
  if (!writer.Finish()) {
    error = "writing the temporary file failed (disk full?) for " + file.string();
    return false;
  }
  if (!temp->Flush()) {
    error = "flushing the temporary file failed for " + file.string();
    return false;
  }
  if (!temp->RenameOver(file, new_file_mode)) {
    error = "replacing the file failed: " + file.string();
    return false;
  }
  return true;
}

}  // namespace vantrel::storage
