#include "storage/ini/ini_document.hpp"

#include <algorithm>

#include "storage/blanks.hpp"
#include "storage/codepage.hpp"
#include "storage/ini/ini_text.hpp"

namespace vantrel::storage::ini {
namespace {

constexpr std::string_view kUtf16LeBom("\xFF\xFE", 2);
constexpr std::string_view kUtf16BeBom("\xFE\xFF", 2);

std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

std::string EncodeUtf16(std::u16string_view text, bool big_endian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    const char hi = static_cast<char>((c >> 8) & 0xFF);
    const char lo = static_cast<char>(c & 0xFF);
    if (big_endian) {
      out.push_back(hi);
      out.push_back(lo);
    } else {
      out.push_back(lo);
      out.push_back(hi);
    }
  }
  return out;
}

std::string CutAtNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return std::string(nul == std::string_view::npos ? text : text.substr(0, nul));
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) on chained operator+.
std::string HeaderText(std::string_view section) {
  std::string text;
  text.reserve(section.size() + 2);
  text += '[';
  text += section;
  text += ']';
  return text;
}

std::string KeyText(std::string_view key, std::string_view value) {
  std::string text;
  text.reserve(key.size() + value.size() + 1);
  text += key;
  text += '=';
  text += value;
  return text;
}

std::string AsciiLowered(std::string_view name) {
  std::string lowered(name);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

}  // namespace

void ClassifyLine(Line& line) {
  line.name.clear();
  line.value.clear();
  const std::string_view text = TrimStart(line.text, kProfileBlanks);
  if (text.empty()) {
    line.kind = LineKind::Blank;
    return;
  }
  if (text.front() == '[') {
    // The name ends at the first ']' (or the line end when there is none).
    line.kind = LineKind::Header;
    const std::size_t close = FindSyntaxChar(text, ']', 1);
    const std::string_view inside =
        close == std::string_view::npos ? text.substr(1) : text.substr(1, close - 1);
    line.name = std::string(Trim(inside, kProfileBlanks));
    return;
  }
  if (text.front() == ';') {
    line.kind = LineKind::Comment;
    return;
  }
  const std::size_t equals = FindSyntaxChar(text, '=');
  if (equals == std::string_view::npos) {
    line.kind = LineKind::Bare;
    line.name = std::string(Trim(text, kProfileBlanks));
    return;
  }
  line.kind = LineKind::Key;
  line.name = std::string(Trim(text.substr(0, equals), kProfileBlanks));
  line.value = std::string(Trim(text.substr(equals + 1), kProfileBlanks));
}

Document Document::Parse(std::string_view bytes) {
  Document doc;
  if (bytes.substr(0, 2) == kUtf16LeBom || bytes.substr(0, 2) == kUtf16BeBom) {
    const bool big_endian = bytes.substr(0, 2) == kUtf16BeBom;
    doc.encoding_ = big_endian ? FileEncoding::Utf16Be : FileEncoding::Utf16Le;
    doc.bom_ = std::string(bytes.substr(0, 2));
    const std::string_view body = bytes.substr(2);
    const std::u16string units = DecodeUtf16(body, big_endian);
    std::size_t start = 0;
    while (start < units.size()) {
      std::size_t end = start;
      while (end < units.size() && units[end] != u'\r' && units[end] != u'\n') ++end;
      std::size_t next = end;
      if (next < units.size()) {
        next += (units[next] == u'\r' && next + 1 < units.size() && units[next + 1] == u'\n') ? 2 : 1;
      }
      Line line;
      line.raw_content = std::string(body.substr(start * 2, (end - start) * 2));
      line.raw_ending = std::string(body.substr(end * 2, (next - end) * 2));
      std::u16string_view content(units.data() + start, end - start);
      const std::size_t nul = content.find(u'\0');
      if (nul != std::u16string_view::npos) content = content.substr(0, nul);
      line.text = ToAnsi(content);
      ClassifyLine(line);
      doc.lines_.push_back(std::move(line));
      start = next;
    }
    if (body.size() % 2 != 0) {
      // A stray last byte cannot be decoded; keep it so the file is written back as found.
      if (doc.lines_.empty()) doc.lines_.emplace_back();
      doc.lines_.back().raw_ending += body.back();
    }
  } else {
    doc.lines_.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t end = start;
      while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
      std::size_t next = end;
      if (next < bytes.size()) {
        next += (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
      }
      Line line;
      line.raw_content = std::string(bytes.substr(start, end - start));
      line.raw_ending = std::string(bytes.substr(end, next - end));
      line.text = CutAtNul(line.raw_content);
      ClassifyLine(line);
      doc.lines_.push_back(std::move(line));
      start = next;
    }
  }
  doc.MarkHiddenKeys();
  return doc;
}

std::string Document::Serialise() const {
  std::string out = bom_;
  for (const Line& line : lines_) {
    out += line.raw_content;
    out += line.raw_ending;
  }
  return out;
}

Line Document::MakeLine(std::string_view text) const {
  Line line;
  line.text = std::string(text);
  if (encoding_ == FileEncoding::Ansi) {
    line.raw_content = line.text;
    line.raw_ending = "\r\n";
  } else {
    const bool big_endian = encoding_ == FileEncoding::Utf16Be;
    line.raw_content = EncodeUtf16(FromAnsi(text), big_endian);
    line.raw_ending = EncodeUtf16(u"\r\n", big_endian);
  }
  ClassifyLine(line);
  return line;
}

void Document::EnsureEnding(std::size_t index) {
  if (index < lines_.size() && lines_[index].raw_ending.empty()) {
    lines_[index].raw_ending = MakeLine("").raw_ending;
  }
}

void Document::InsertLines(std::size_t at, const std::vector<std::string>& texts) {
  if (texts.empty()) return;
  if (at > 0) EnsureEnding(at - 1);
  std::vector<Line> made;
  made.reserve(texts.size());
  for (const std::string& text : texts) made.push_back(MakeLine(text));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(made.begin()),
                std::make_move_iterator(made.end()));
}

void Document::MarkHiddenKeys() {
  // Of adjacent key lines with an empty name (blank lines between do not
  // count) only the first is seen; a header starts afresh.
  bool previous_empty_key = false;
  for (Line& line : lines_) {
    line.hidden = false;
    switch (line.kind) {
      case LineKind::Blank:
        break;
      case LineKind::Key:
        if (line.name.empty()) {
          line.hidden = previous_empty_key;
          previous_empty_key = true;
        } else {
          previous_empty_key = false;
        }
        break;
      default:
        previous_empty_key = false;
        break;
    }
  }
}

SectionRange Document::RangeOfHeader(std::size_t header) const {
  SectionRange range;
  range.header = header;
  range.begin = header + 1;
  range.end = range.begin;
  while (range.end < lines_.size() && lines_[range.end].kind != LineKind::Header) ++range.end;
  return range;
}

std::optional<SectionRange> Document::FindSection(std::string_view name) const {
  if (name.empty()) {
    SectionRange range;
    range.begin = 0;
    range.end = 0;
    while (range.end < lines_.size() && lines_[range.end].kind != LineKind::Header) ++range.end;
    return range;
  }
  if (!indexed_) {
    first_header_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].kind == LineKind::Header && !lines_[i].name.empty()) {
        first_header_.emplace(AsciiLowered(lines_[i].name), i);  // keeps the first of duplicates
      }
    }
    indexed_ = true;
  }
  const auto found = first_header_.find(AsciiLowered(name));
  if (found == first_header_.end()) return std::nullopt;
  return RangeOfHeader(found->second);
}

void Document::Changed() {
  indexed_ = false;
  MarkHiddenKeys();
}

std::vector<SectionRange> Document::FindAllSections(std::string_view name) const {
  std::vector<SectionRange> found;
  if (name.empty()) {
    found.push_back(*FindSection(name));
    return found;
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Header && !lines_[i].name.empty() && NamesEqual(lines_[i].name, name)) {
      found.push_back(RangeOfHeader(i));
    }
  }
  return found;
}

std::optional<std::size_t> Document::FindKey(const SectionRange& range, std::string_view key) const {
  for (std::size_t i = range.begin; i < range.end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Key && !line.hidden && NamesEqual(line.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> Document::FindWritableKey(const SectionRange& range, std::string_view key) const {
  for (std::size_t i = range.begin; i < range.end; ++i) {
    const Line& line = lines_[i];
    if ((line.kind == LineKind::Key && !line.hidden) || line.kind == LineKind::Bare) {
      if (NamesEqual(line.name, key)) return i;
    }
  }
  return std::nullopt;
}

std::vector<std::string> Document::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::Header && !line.name.empty()) names.push_back(line.name);
  }
  return names;
}

std::size_t Document::InsertionPoint(const SectionRange& range) const {
  // After the last non-blank line of the section: blank lines that separate it
  // from the next header stay where they are.
  std::size_t at = range.end;
  while (at > range.begin && lines_[at - 1].kind == LineKind::Blank) --at;
  return at;
}

std::size_t Document::BodyEndBeforeTrailingBlanks(const SectionRange& range) const {
  std::size_t end = range.end;
  while (end > range.begin && lines_[end - 1].kind == LineKind::Blank) --end;
  return end;
}

bool Document::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::optional<SectionRange> range = FindSection(section);
  if (!range) {
    std::size_t at = lines_.size();
    InsertLines(at, {HeaderText(section), KeyText(key, value)});
    Changed();
    return true;
  }
  if (const std::optional<std::size_t> index = FindWritableKey(*range, key)) {
    Line& line = lines_[*index];
    if (line.kind == LineKind::Bare) {
      // A bare line of that name takes the value (it becomes a key line).
      Line replacement = MakeLine(KeyText(line.name, value));
      replacement.raw_ending = line.raw_ending;
      line = std::move(replacement);
      Changed();
      return true;
    }
    if (line.value == value) return false;
    // Keep the line's own spelling and spacing up to '=', and its line end.
    const std::size_t equals = FindSyntaxChar(line.text, '=');
    std::string text = line.text.substr(0, equals + 1);
    text += value;
    Line replacement = MakeLine(text);
    replacement.raw_ending = line.raw_ending;
    line = std::move(replacement);
    Changed();
    return true;
  }
  InsertLines(InsertionPoint(*range), {KeyText(key, value)});
  Changed();
  return true;
}

bool Document::DeleteKey(std::string_view section, std::string_view key) {
  const std::optional<SectionRange> range = FindSection(section);
  if (!range) return false;
  const std::optional<std::size_t> index = FindWritableKey(*range, key);
  if (!index) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*index));
  Changed();
  return true;
}

bool Document::DeleteSection(std::string_view section) {
  const std::optional<SectionRange> range = FindSection(section);
  if (!range) return false;
  // The header and every line up to the next header go, except comment lines.
  // The block before the first header with no keys or bare lines is left alone.
  if (!range->header) {
    bool any = false;
    for (std::size_t i = range->begin; i < range->end; ++i) {
      any = any || lines_[i].kind == LineKind::Key || lines_[i].kind == LineKind::Bare;
    }
    if (!any) return false;
  }
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool changed = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const bool inside = (range->header && i == *range->header) || (i >= range->begin && i < range->end);
    if (inside && lines_[i].kind != LineKind::Comment) {
      changed = true;
      continue;
    }
    kept.push_back(std::move(lines_[i]));
  }
  lines_ = std::move(kept);
  Changed();
  return changed;
}

bool Document::ReplaceSection(std::string_view section, const std::vector<std::string>& body) {
  const std::vector<SectionRange> ranges = FindAllSections(section);
  if (ranges.empty()) {
    if (body.empty()) return false;
    std::vector<std::string> texts;
    texts.push_back(HeaderText(section));
    texts.insert(texts.end(), body.begin(), body.end());
    InsertLines(lines_.size(), texts);
    Changed();
    return true;
  }
  const std::string before = Serialise();
  // Later duplicates are emptied first so the earlier indexes stay valid.
  for (std::size_t r = ranges.size(); r-- > 0;) {
    const SectionRange& range = ranges[r];
    const std::size_t end = BodyEndBeforeTrailingBlanks(range);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range.begin),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    if (r == 0) InsertLines(range.begin, body);
  }
  Changed();
  return Serialise() != before;
}

}  // namespace vantrel::storage::ini
