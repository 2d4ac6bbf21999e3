#include "storage/file_io.hpp"

#include <atomic>

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
                        unsigned new_file_mode, InPlace in_place) {
  const auto content = [bytes](const std::function<void(std::string_view)>& put) { put(bytes); };
  return ReplaceFileContent(file, content, error, new_file_mode, in_place);
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

bool ReplaceFileContent(const std::filesystem::path& file, const ContentPieces& content, std::string& error,
                        unsigned new_file_mode, InPlace in_place) {
  FileIo& io = CurrentFileIo();
  const PathKind kind = io.Stat(file);
  if (kind == PathKind::Folder) {
    error = "the path names a folder: " + file.string();
    return false;
  }
  if (kind == PathKind::MissingFolder) {
    error = "the folder does not exist: " + file.parent_path().string();
    return false;
  }
  if (kind == PathKind::Error) {
    error = "the file cannot be examined: " + file.string();
    return false;
  }
  std::unique_ptr<TempFile> temp = io.CreateTemp(file);
  if (!temp) {
    // The folder allows no new file; an existing file may still be rewritten where it is.
    if (kind == PathKind::File && in_place == InPlace::Allowed) {
      std::string bytes;
      content([&bytes](std::string_view piece) { bytes += piece; });
      if (io.RewriteInPlace(file, bytes)) return true;
    }
    error = "cannot write the file: " + file.string();
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
