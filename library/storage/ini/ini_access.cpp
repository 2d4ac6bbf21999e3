#include "storage/ini/ini_access.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

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

namespace {

// The first visible key line of each name in a body, by open addressing over
// its lines (no node per key). A slot keeps part of the name's hash, so a
// probe past another name reads neither its line nor its bytes.
class FirstKeys {
 public:
  explicit FirstKeys(std::span<const Line> body) : body_(body), first_(body.size(), nullptr) {
    std::size_t size = 16;
    while (size < body.size() * 2) size *= 2;
    slots_.assign(size, Slot{});
    for (std::size_t i = 0; i < body.size(); ++i) {
      const Line& line = body[i];
      if (line.kind != LineKind::Key || line.hidden) continue;
      const std::size_t hash = NameHash{}(line.name);
      Slot& slot = SlotOf(line.name, hash);
      if (slot.line == 0) slot = {static_cast<std::uint32_t>(i + 1), Tag(hash)};
      first_[i] = &body[slot.line - 1];
    }
  }
  // For body line `i` (a visible key): the first key line of its name.
  const Line* OfLine(std::size_t i) const { return first_[i]; }
  const Line* Find(std::string_view name) {
    const Slot& slot = SlotOf(name, NameHash{}(name));
    return slot.line == 0 ? nullptr : &body_[slot.line - 1];
  }

 private:
  struct Slot {
    std::uint32_t line = 0;  // body position + 1; 0 when free
    std::uint32_t tag = 0;
  };
  static std::uint32_t Tag(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 8); }
  Slot& SlotOf(std::string_view name, std::size_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.line == 0 || (slot.tag == Tag(hash) && NamesEqual(body_[slot.line - 1].name, name))) return slot;
    }
  }
  std::span<const Line> body_;
  std::vector<const Line*> first_;
  std::vector<Slot> slots_;
};

// A value as ReadValue gives it: unquoted, cut to size - 1 bytes.
std::string_view CutValue(const Line* line, std::uint32_t size) {
  if (line == nullptr || size == 0) return {};
  const std::string_view value = StripQuotes(line->value);
  return value.substr(0, AnsiWholeCharPrefix(value, size - 1));
}

}  // namespace

void VisitKeyValues(const std::filesystem::path& file, std::string_view section, std::uint32_t size,
                    const std::function<void(std::string_view name, std::string_view value)>& visit) {
  ReadDocument(file, [&](const Document& doc) {
    // The names as ReadKeys lists them (section as given), the values as
    // ReadValue reads them: the first visible key of the name in the section
    // named with spaces trimmed. Usually both are the one section.
    if (Trim(section, kSpace).size() == section.size()) {
      const std::optional<std::span<const Line>> body = doc.FindSection(section);
      if (!body) return;
      const FirstKeys first(*body);
      for (std::size_t i = 0; i < body->size(); ++i) {
        const Line& line = (*body)[i];
        if (line.kind == LineKind::Key && !line.hidden) visit(line.name, CutValue(first.OfLine(i), size));
      }
      return;
    }
    // Two sections: a read of one may end the other's lines, so the names are copied first.
    std::vector<std::string> names;
    if (const std::optional<std::span<const Line>> body = doc.FindSection(section)) {
      for (const Line& line : *body) {
        if (line.kind == LineKind::Key && !line.hidden) names.emplace_back(line.name);
      }
    }
    if (names.empty()) return;
    const std::optional<std::span<const Line>> body = Requested(doc, section);
    std::optional<FirstKeys> first;
    if (body) first.emplace(*body);
    for (const std::string& name : names) visit(name, first ? CutValue(first->Find(Trim(name, kSpace)), size) : "");
  });
}

std::vector<KeyValue> ReadKeyValues(const std::filesystem::path& file, std::string_view section,
                                    std::uint32_t size) {
  std::vector<KeyValue> entries;
  VisitKeyValues(file, section, size, [&entries](std::string_view name, std::string_view value) {
    entries.push_back({std::string(name), std::string(value)});
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

std::string TextRefusal(const std::filesystem::path& file) {
  std::string why;
  ReadDocument(file, [&](const Document& doc) { why = doc.TextRefusal(); });
  return why;
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
