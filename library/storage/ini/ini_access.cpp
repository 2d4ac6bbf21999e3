#include "storage/ini/ini_access.hpp"

#include "storage/blanks.hpp"
#include "storage/ini/ini_document.hpp"
#include "storage/ini/ini_session.hpp"
#include "storage/ini/ini_text.hpp"

namespace vantrel::storage::ini {
namespace {

// Finds the section a request names ("" = keys before the first header; a
// name of spaces only names nothing), as the profile reads do.
std::optional<SectionRange> Requested(const Document& doc, std::string_view section) {
  const std::string_view trimmed = Trim(section, kSpace);
  if (trimmed.empty() && !section.empty()) return std::nullopt;
  return doc.FindSection(trimmed);
}

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
    if (const std::optional<SectionRange> range = Requested(doc, section)) {
      found = doc.FindKey(*range, Trim(key, kSpace)).has_value();
    }
  });
  return found;
}

std::vector<std::string> ReadKeys(const std::filesystem::path& file, std::string_view section) {
  std::vector<std::string> names;
  ReadDocument(file, [&](const Document& doc) {
    // As the key-list read: the section name is taken as given.
    const std::optional<SectionRange> range = doc.FindSection(section);
    if (!range) return;
    for (std::size_t i = range->begin; i < range->end; ++i) {
      const Line& line = doc.lines()[i];
      if (line.kind == LineKind::Key && !line.hidden) names.push_back(line.name);
    }
  });
  return names;
}

std::vector<std::string> ReadSections(const std::filesystem::path& file) {
  std::vector<std::string> names;
  ReadDocument(file, [&](const Document& doc) { names = doc.SectionNames(); });
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
