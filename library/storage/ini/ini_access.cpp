#include "storage/ini/ini_access.hpp"

#include <cstdint>

#include "storage/blanks.hpp"
#include "storage/codepage.hpp"
#include "storage/ini/ini_document.hpp"
#include "storage/ini/ini_session.hpp"
#include "storage/ini/ini_text.hpp"

namespace vantrel::storage::ini {
namespace {

// Finds the section a request names ("" = keys before the first header; a
// name of spaces only names nothing), as the profile reads do.
std::optional<std::span<const Line>> Requested(const Document& doc, std::string_view section) {
  const std::string_view trimmed = Trim(section, kSpace);
  if (trimmed.empty() && !section.empty()) return std::nullopt;
  return doc.FindSection(trimmed);
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names as the profile functions match them: ASCII letters without regard to
// case. Views into the document: a whole-section read allocates no key copies.
struct NameHash {
  std::size_t operator()(std::string_view name) const {
    std::uint64_t hash = 1469598103934665603ull;  // 64-bit FNV-1a on every platform
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
    hash ^= hash >> 32;  // FNV's low bits mix poorly; the table takes the low bits
    return static_cast<std::size_t>(hash * 0x9E3779B97F4A7C15ull >> 16);
  }
};

}  // namespace

std::string ReadValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                      std::uint32_t size) {
  if (size == 0) return {};
  std::string buffer(size, '\0');
  const std::uint32_t length = GetProfileString(section, key, std::nullopt, buffer.data(), size, file);
  buffer.resize(length);
  return buffer;
}

bool HasKey(const std::filesystem::path& file, std::string_view section, std::string_view key) {
  bool found = false;
  ReadDocument(file, [&](const Document& doc) {
    if (const std::optional<std::span<const Line>> body = Requested(doc, section)) {
      found = Document::FindKey(*body, Trim(key, kSpace)) != nullptr;
    }
  });
  return found;
}

std::vector<std::string> ReadKeys(const std::filesystem::path& file, std::string_view section) {
  std::vector<std::string> names;
  ReadDocument(file, [&](const Document& doc) {
    // As the key-list read: the section name is taken as given.
    const std::optional<std::span<const Line>> body = doc.FindSection(section);
    if (!body) return;
    for (const Line& line : *body) {
      if (line.kind == LineKind::Key && !line.hidden) names.emplace_back(line.name);
    }
  });
  return names;
}

std::vector<KeyValue> ReadKeyValues(const std::filesystem::path& file, std::string_view section,
                                    std::uint32_t size) {
  std::vector<KeyValue> entries;
  ReadDocument(file, [&](const Document& doc) {
    // The names as ReadKeys lists them (section as given) ...
    if (const std::optional<std::span<const Line>> body = doc.FindSection(section)) {
      for (const Line& line : *body) {
        if (line.kind == LineKind::Key && !line.hidden) entries.push_back({std::string(line.name), {}});
      }
    }
    if (entries.empty() || size == 0) return;
    // ... and the values as ReadValue reads them: the first visible key of
    // the name in the section named with spaces trimmed, unquoted, then cut.
    const std::optional<std::span<const Line>> body = Requested(doc, section);
    if (!body) return;
    // Open addressing over the body's lines (no node per key): name -> the
    // first visible key line of that name.
    std::size_t slots = 16;
    while (slots < body->size() * 2) slots *= 2;
    const std::size_t mask = slots - 1;
    std::vector<const Line*> first(slots, nullptr);
    const auto slot_of = [&](std::string_view name) -> const Line*& {
      for (std::size_t i = NameHash{}(name) & mask;; i = (i + 1) & mask) {
        if (first[i] == nullptr || NamesEqual(first[i]->name, name)) return first[i];
      }
    };
    for (const Line& line : *body) {
      if (line.kind != LineKind::Key || line.hidden) continue;
      const Line*& slot = slot_of(line.name);
      if (slot == nullptr) slot = &line;
    }
    for (KeyValue& entry : entries) {
      const Line* found = slot_of(Trim(entry.name, kSpace));
      if (found == nullptr) continue;
      const std::string_view value = StripQuotes(found->value);
      entry.value.assign(value.substr(0, AnsiWholeCharPrefix(value, size - 1)));
    }
  });
  return entries;
}

std::vector<std::string> ReadSections(const std::filesystem::path& file) {
  std::vector<std::string> names;
  ReadDocument(file, [&](const Document& doc) {
    for (std::string_view name : doc.SectionNames()) names.emplace_back(name);
  });
  return names;
}

bool ReplaceSection(const std::filesystem::path& file, std::string_view section,
                    const std::vector<std::string>& lines) {
  std::string body;
  for (const std::string& line : lines) {
    if (line.empty() || line.find('\0') != std::string::npos) {
      SetLastIniError("a line of the section body is empty or holds a NUL; nothing was written");
      return false;
    }
    body += line;
    body += '\0';
  }
  body += '\0';
  return WriteProfileSection(section, body, file);
}

}  // namespace vantrel::storage::ini
