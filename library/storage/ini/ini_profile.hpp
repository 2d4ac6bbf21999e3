#pragma once
// Byte-level profile functions with the observable behaviour of the Windows
// ANSI profile-string functions (GetPrivateProfileStringA, GetPrivateProfileIntA,
// GetPrivateProfileSectionA, WritePrivateProfileStringA,
// WritePrivateProfileSectionA): the same name matching, blank and quote
// handling, placement of new keys and sections, return counts and buffer cuts.
//
// Arguments: std::nullopt stands for a NULL pointer. Texts are ANSI bytes.
// `file` is a native path (map Windows-form paths with the paths module first).
//
// Differences from kernel32, on purpose:
//  - Writes are atomic (temporary file + rename) and lines the write does not
//    change keep their exact bytes.
//  - Section names, key names, values and body lines holding CR, LF or NUL are
//    refused: the write returns false and writes nothing.
//  - A cut never splits a multi-byte character: the NUL follows the last whole
//    character and the count says what was copied.
//  - A UTF-8 byte order mark is not recognised (as on Windows).
//  - A file that exists but cannot be read (I/O error, no permission) throws
//    FileReadError (file_io.hpp) instead of giving the default.
//
// Each call joins the transaction open on `file` in this thread (see
// ini_transaction.hpp); with none open it is a transaction of its own.
// After a false result, LastIniError() tells why.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
// windows.h maps these names to the win.ini functions (GetProfileStringW ...);
// take it in first and drop those macros so the names below stay ours.
#include <windows.h>
#undef GetProfileString
#undef GetProfileInt
#undef GetProfileSection
#undef WriteProfileString
#undef WriteProfileSection
#endif

namespace vantrel::storage::ini {

using OptText = std::optional<std::string_view>;

// GetPrivateProfileStringA. section nullopt: the section list; key nullopt: the
// key list of the section; else the value (or the default). Lists are NUL
// separated and end in an extra NUL, cut at `size` exactly as kernel32 cuts
// them. Returns the count kernel32 returns; buffer may be null only when size is 0.
std::uint32_t GetProfileString(OptText section, OptText key, OptText default_value, char* buffer,
                               std::uint32_t size, const std::filesystem::path& file);

// GetPrivateProfileIntA: the value read as a whole number (wrapping modulo 2^32).
std::uint32_t GetProfileInt(OptText section, OptText key, std::int32_t default_value,
                            const std::filesystem::path& file);

// GetPrivateProfileSectionA: "key=value" entries (and bare lines), NUL separated.
std::uint32_t GetProfileSection(OptText section, char* buffer, std::uint32_t size,
                                const std::filesystem::path& file);

// WritePrivateProfileStringA. value nullopt deletes the key; key nullopt deletes
// the section. Returns false on failure or refusal.
bool WriteProfileString(OptText section, OptText key, OptText value, const std::filesystem::path& file);

// WritePrivateProfileSectionA. body nullopt deletes the section; otherwise the
// body is the section's new lines, each ended by a NUL (a final extra NUL is allowed).
bool WriteProfileSection(OptText section, OptText body, const std::filesystem::path& file);

// Why the last failed call of this thread failed (empty after a success).
const std::string& LastIniError();

}  // namespace vantrel::storage::ini
