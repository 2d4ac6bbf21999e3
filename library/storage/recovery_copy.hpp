#pragma once
// The in-place rewrite of a file whose folder takes no new file.
//
// The recovery file `<name>~recovery` lies beside the file, made in advance
// (by the installer or the operator) with the same write access, so that only
// existing files are written. A rewrite writes and flushes the new text with a
// trailer (length and checksum) that proves it complete into the recovery file,
// then rewrites and flushes the file, then empties the recovery file. Every
// access under the writers' lock first finishes a rewrite that a fault
// interrupted: a complete recovery copy is written into the file, an
// incomplete one (the file is still old) is emptied. An empty recovery file
// means nothing to finish.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::storage {

std::filesystem::path RecoveryFileOf(const std::filesystem::path& file);

// Whether a recovery file (of any state) lies beside `file`: then writers may
// rewrite `file` in place, and a read takes the lock.
bool HasRecoveryFile(const std::filesystem::path& file);

// Under the lock of `file`: finishes an interrupted rewrite. False, with
// `error`, when the recovery file cannot be read or a complete copy cannot be
// written into the file (the recovery file then stays for the next access).
bool FinishInterruptedRewrite(const std::filesystem::path& file, std::string& error);

// Under the lock of `file`: rewrites the existing `file` in place through its
// recovery file; NoRecoveryFile when there is no writable one (nothing done).
enum class InPlaceResult { Done, NoRecoveryFile, Failed };
InPlaceResult RewriteInPlace(const std::filesystem::path& file, std::string_view bytes, std::string& error);

}  // namespace vantrel::storage
