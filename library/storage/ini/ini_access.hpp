#pragma once
// Library-level access to INI files: the calls the rest of the library makes.
//
// Same rules as the profile functions (ini_profile.hpp) for matching names,
// blanks, quotes and placement, but:
//  - key and section lists are complete, as vectors (no cut at 4,095 bytes);
//  - ReadValue keeps the buffer-size cut (size 255 gives at most 254 bytes);
//  - missing values read as "" (no default to pass).
// Reading a number, writing a value and deleting a key or a section are the
// profile functions themselves (ini_profile.hpp). `file` is a native path. Each call joins the transaction open on the
// file in this thread, or is a transaction of its own. After a false result, LastIniError() (ini_profile.hpp) tells
// why.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ini/ini_profile.hpp"

namespace vantrel::storage::ini {

// The value of key in section, cut to size-1 bytes (never inside a character);
// "" when missing or when size is 0.
std::string ReadValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                      std::uint32_t size = 255);

// Whether the key exists (a key with an empty value exists).
bool HasKey(const std::filesystem::path& file, std::string_view section, std::string_view key);

// Key names of the first section of that name, in file order, in the file's
// spelling, duplicates and empty names included. Empty when the section is missing.
std::vector<std::string> ReadKeys(const std::filesystem::path& file, std::string_view section);

// A key of a section with its value.
struct KeyValue {
  std::string name;
  std::string value;
};

// ReadKeys(file, section), each name with ReadValue(file, section, name, size),
// in one pass over the section.
std::vector<KeyValue> ReadKeyValues(const std::filesystem::path& file, std::string_view section,
                                    std::uint32_t size = 255);

// ReadKeyValues one key at a time, without copies: the views last for the call.
void VisitKeyValues(const std::filesystem::path& file, std::string_view section, std::uint32_t size,
                    const std::function<void(std::string_view name, std::string_view value)>& visit);

// Section names in file order and spelling, duplicates included ("[]" headers
// and keys before the first header are not sections).
std::vector<std::string> ReadSections(const std::filesystem::path& file);

// Document::TextRefusal of the file: why it can be neither read nor written
// as lines (empty when it can).
std::string TextRefusal(const std::filesystem::path& file);

// Replaces the section's lines by `lines` ("key=value" each); creates it when missing.
bool ReplaceSection(const std::filesystem::path& file, std::string_view section,
                    const std::vector<std::string>& lines);

}  // namespace vantrel::storage::ini
