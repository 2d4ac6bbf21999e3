#include "storage/ini/ini_profile.hpp"

#include <cstring>
#include <vector>

#include "storage/blanks.hpp"
#include "storage/codepage.hpp"
#include "storage/ini/ini_document.hpp"
#include "storage/ini/ini_session.hpp"
#include "storage/ini/ini_text.hpp"

namespace vantrel::storage::ini {
namespace {

// Copies text cut to size-1 bytes (never inside a character) plus a NUL.
std::uint32_t CopyText(std::string_view text, char* buffer, std::uint32_t size) {
  const std::size_t length = AnsiWholeCharPrefix(text, size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<std::uint32_t>(length);
}

// Length <= limit of a NUL-separated list's prefix that does not end inside
// a character of the entry the cut falls in.
std::size_t WholeCharListPrefix(std::string_view list, std::size_t limit) {
  const std::size_t entry = limit == 0 ? 0 : list.rfind('\0', limit - 1);
  const std::size_t start = (limit == 0 || entry == std::string_view::npos) ? 0 : entry + 1;
  if (start >= limit) return limit;
  const std::size_t entry_end = std::min(list.find('\0', start), list.size());
  return start + AnsiWholeCharPrefix(list.substr(start, entry_end - start), limit - start);
}

std::string JoinWithNuls(const std::vector<std::string_view>& names) {
  std::string list;
  for (std::string_view name : names) {
    list += name;
    list += '\0';
  }
  return list;
}

// Copies a name list the way the key and section list reads do: whole (with
// its extra closing NUL) only when one byte is to spare; otherwise the first
// size-2 bytes (the last name cut, never inside a character) and one NUL.
std::uint32_t CopyList(const std::vector<std::string_view>& names, char* buffer, std::uint32_t size) {
  const std::string list = JoinWithNuls(names) + '\0';
  if (size >= list.size() + 1) {
    std::memcpy(buffer, list.data(), list.size());
    return static_cast<std::uint32_t>(list.size() - 1);
  }
  if (size <= 2) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t length = WholeCharListPrefix(list, size - 2);
  std::memcpy(buffer, list.data(), length);
  buffer[length] = '\0';
  return static_cast<std::uint32_t>(length);
}

// The section a request names: "" is the block before the first header; a
// name made only of spaces names nothing.
std::optional<std::string_view> RequestedSection(std::string_view section) {
  const std::string_view trimmed = Trim(section, kSpace);
  if (trimmed.empty() && !section.empty()) return std::nullopt;
  return trimmed;
}

std::string DefaultForMissingValue(OptText default_value) {
  if (!default_value) return {};
  std::string_view text = *default_value;
  // Trailing spaces go, but never the last character.
  std::size_t end = text.size();
  while (end > 1 && text[end - 1] == ' ') --end;
  return std::string(StripQuotes(text.substr(0, end)));
}

bool Refuse(std::string message) {
  SetLastIniError(std::move(message));
  return false;
}

}  // namespace

std::uint32_t GetProfileString(OptText section, OptText key, OptText default_value, char* buffer,
                               std::uint32_t size, const std::filesystem::path& file) {
  if (size == 0 || buffer == nullptr) return 0;
  std::uint32_t result = 0;
  ReadDocument(file, [&](const Document& doc) {
    if (!section) {
      result = CopyList(doc.SectionNames(), buffer, size);
      return;
    }
    if (!key) {
      // Key lists take the section name as given (no trimming).
      const std::optional<std::span<const Line>> body = doc.FindSection(*section);
      std::vector<std::string_view> names;
      if (body) {
        for (const Line& line : *body) {
          if (line.kind == LineKind::Key && !line.hidden) names.push_back(line.name);
        }
      }
      // No names (or a first name that is empty) and tiny buffers give the
      // default, its trailing spaces kept, its enclosing quotes removed.
      if (names.empty() || names.front().empty() || size <= 2) {
        result = CopyText(StripQuotes(default_value.value_or(std::string_view())), buffer, size);
        return;
      }
      result = CopyList(names, buffer, size);
      return;
    }
    // Value reads trim spaces around the requested names.
    const std::optional<std::string_view> wanted = RequestedSection(*section);
    const std::optional<std::span<const Line>> body = wanted ? doc.FindSection(*wanted) : std::nullopt;
    if (body) {
      if (const Line* line = Document::FindKey(*body, Trim(*key, kSpace))) {
        result = CopyText(StripQuotes(line->value), buffer, size);
        return;
      }
    }
    result = CopyText(DefaultForMissingValue(default_value), buffer, size);
  });
  return result;
}

std::uint32_t GetProfileInt(OptText section, OptText key, std::int32_t default_value,
                            const std::filesystem::path& file) {
  if (!section || !key) return 0;
  auto result = static_cast<std::uint32_t>(default_value);
  ReadDocument(file, [&](const Document& doc) {
    const std::optional<std::string_view> wanted = RequestedSection(*section);
    if (!wanted) return;
    const std::optional<std::span<const Line>> body = doc.FindSection(*wanted);
    if (!body) return;
    const Line* line = Document::FindKey(*body, Trim(*key, kSpace));
    if (!line) return;
    const std::string_view value = StripQuotes(line->value);
    if (value.empty()) return;
    // kernel32 reads the value into a 30-byte buffer: at most 29 bytes count.
    result = ParseProfileInt(value.substr(0, 29));
  });
  return result;
}

std::uint32_t GetProfileSection(OptText section, char* buffer, std::uint32_t size,
                                const std::filesystem::path& file) {
  if (!section || size == 0 || buffer == nullptr) return 0;
  std::string list;
  ReadDocument(file, [&](const Document& doc) {
    // The whole-section functions take the name as given: blanks around it are not trimmed.
    const std::optional<std::span<const Line>> body = doc.FindSection(*section);
    if (!body) return;
    for (const Line& line : *body) {
      if (line.kind == LineKind::Key && !line.hidden) {
        list += line.name;
        list += '=';
        list += line.value;
        list += '\0';
      } else if (line.kind == LineKind::Bare) {
        list += line.name;
        list += '\0';
      }
    }
  });
  // The entries, each ended by a NUL, and one more NUL ending the list. The
  // count excludes that last NUL; the whole list needs one byte to spare.
  if (list.empty()) {
    buffer[0] = '\0';
    if (size >= 2) buffer[1] = '\0';
    return 0;
  }
  list += '\0';
  if (size > list.size()) {
    std::memcpy(buffer, list.data(), list.size());
    return static_cast<std::uint32_t>(list.size() - 1);
  }
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t limit = size - 2;
  const std::size_t length = WholeCharListPrefix(list, limit);
  std::memcpy(buffer, list.data(), length);
  buffer[length] = '\0';
  buffer[length + 1] = '\0';
  return static_cast<std::uint32_t>(length);
}

bool WriteProfileString(OptText section, OptText key, OptText value, const std::filesystem::path& file) {
  if (!section) return Refuse("no section name given");
  if (HasLineBreakOrNul(*section) || (key && HasLineBreakOrNul(*key)) || (value && HasLineBreakOrNul(*value))) {
    return Refuse("a section name, key name or value holds a line break or NUL; nothing was written");
  }
  // Deletions take the names as given; value writes trim spaces around them.
  if (!key) {
    const std::string section_name(*section);
    return EditDocument(file, [&](Document& doc) { return doc.DeleteSection(section_name); });
  }
  if (!value) {
    const std::string section_name(*section), key_name(*key);
    return EditDocument(file, [&](Document& doc) { return doc.DeleteKey(section_name, key_name); });
  }
  const std::string section_name(Trim(*section, kSpace));
  const std::string key_name(Trim(*key, kSpace));
  const std::string text(*value);
  return EditDocument(file, [&](Document& doc) { return doc.SetValue(section_name, key_name, text); });
}

bool WriteProfileSection(OptText section, OptText body, const std::filesystem::path& file) {
  if (!section) return Refuse("no section name given");
  if (HasLineBreakOrNul(*section)) return Refuse("the section name holds a line break or NUL; nothing was written");
  // Taken as given, as GetProfileSection does: blanks around it are not trimmed.
  const std::string section_name(*section);
  if (!body) {
    return EditDocument(file, [&](Document& doc) { return doc.DeleteSection(section_name); });
  }
  // Entries end at NULs; an empty entry ends the body. Entries without '='
  // are dropped; key and value lose their leading blanks.
  std::vector<std::string> lines;
  std::string_view rest = *body;
  while (!rest.empty()) {
    const std::size_t nul = rest.find('\0');
    const std::string_view entry = rest.substr(0, nul);
    if (entry.empty()) break;
    if (entry.find_first_of("\r\n") != std::string_view::npos) {
      return Refuse("a line of the section body holds a line break; nothing was written");
    }
    const std::size_t equals = FindSyntaxChar(entry, '=');
    if (equals != std::string_view::npos) {
      lines.push_back(std::string(TrimStart(entry.substr(0, equals), kProfileBlanks)) + "=" +
                      std::string(TrimStart(entry.substr(equals + 1), kProfileBlanks)));
    }
    if (nul == std::string_view::npos) break;
    rest = rest.substr(nul + 1);
  }
  return EditDocument(file, [&](Document& doc) { return doc.ReplaceSection(section_name, lines); });
}

}  // namespace vantrel::storage::ini
