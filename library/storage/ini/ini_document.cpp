#include "storage/ini/ini_document.hpp"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "storage/blanks.hpp"
#include "storage/codepage.hpp"
#include "storage/ini/ini_text.hpp"

namespace vantrel::storage::ini {
namespace {

constexpr std::string_view kUtf16LeBom("\xFF\xFE", 2);
constexpr std::string_view kUtf16BeBom("\xFE\xFF", 2);
constexpr std::string_view kCrLf("\r\n", 2);
constexpr std::string_view kCrLfLe("\r\0\n\0", 4);
constexpr std::string_view kCrLfBe("\0\r\0\n", 4);

bool IsProfileBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Position of the first CR or LF at or after `from`, or the size. Eight bytes
// at a time: lines are long next to the rare line break.
std::size_t FindLineBreak(std::string_view s, std::size_t from) {
  const char* p = s.data() + from;
  const char* const end = s.data() + s.size();
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t lf = word ^ (kOnes * '\n'), cr = word ^ (kOnes * '\r');
    if ((((lf - kOnes) & ~lf) | ((cr - kOnes) & ~cr)) & kHighs) break;
    p += 8;
  }
  while (p < end && *p != '\n' && *p != '\r') ++p;
  return static_cast<std::size_t>(p - s.data());
}

// Length of a line end starting at `at` (CRLF, CR or LF; 0 at the end).
std::size_t EndingLength(std::string_view s, std::size_t at) {
  if (at >= s.size()) return 0;
  return (s[at] == '\r' && at + 1 < s.size() && s[at + 1] == '\n') ? 2 : 1;
}

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
    out.push_back(big_endian ? hi : lo);
    out.push_back(big_endian ? lo : hi);
  }
  return out;
}

std::string_view CutAtNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
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

// The header name of a line's ANSI text, or nullopt when it is no header.
std::optional<std::string_view> HeaderName(std::string_view text) {
  const std::string_view trimmed = TrimStart(text, kProfileBlanks);
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  // The name ends at the first ']' (or the line end when there is none).
  const std::size_t close = FindSyntaxChar(trimmed, ']', 1);
  const std::string_view inside = close == std::string_view::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1);
  return Trim(inside, kProfileBlanks);
}

std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 1469598103934665603ull;
  for (char c : name) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ull;
  }
  // FNV's low bits mix poorly; the table takes the low bits.
  hash ^= hash >> 32;
  hash *= 0x9E3779B97F4A7C15ull;
  return hash ^ (hash >> 29);
}

// The part of the hash kept in a slot: most lookups of another name then stop
// there, without reading the block's name.
std::uint32_t Tag(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

// Of adjacent key lines with an empty name (blank lines between do not
// count) only the first is seen. A block starts with a header (or the file),
// which starts afresh. Marked again after lines [from, to) changed: a line's visibility depends only on the
// non-blank line before it, so only the changed lines and the first non-blank
// line after them can change.
void MarkHiddenKeysAround(std::vector<Line>& lines, std::size_t from, std::size_t to) {
  bool previous_empty_key = false;
  for (std::size_t j = from; j-- > 0;) {
    if (lines[j].kind == LineKind::Blank) continue;
    previous_empty_key = lines[j].kind == LineKind::Key && lines[j].name.empty();
    break;
  }
  for (std::size_t i = from; i < lines.size(); ++i) {
    Line& line = lines[i];
    line.hidden = false;
    if (line.kind == LineKind::Blank) continue;
    if (line.kind == LineKind::Key && line.name.empty()) {
      line.hidden = previous_empty_key;
      previous_empty_key = true;
    } else {
      previous_empty_key = false;
    }
    if (i >= to) break;
  }
}

void MarkHiddenKeys(std::vector<Line>& lines) { MarkHiddenKeysAround(lines, 0, lines.size()); }

bool IsWritable(const Line& line) {
  return ((line.kind == LineKind::Key && !line.hidden) || line.kind == LineKind::Bare) && !line.name.empty();
}

const Line* FindWritableKey(std::span<const Line> body, std::string_view key) {
  for (const Line& line : body) {
    if ((line.kind == LineKind::Key && !line.hidden) || line.kind == LineKind::Bare) {
      if (NamesEqual(line.name, key)) return &line;
    }
  }
  return nullptr;
}

// After the last non-blank line of the body: blank lines that separate it
// from the next header stay where they are.
std::size_t EndBeforeTrailingBlanks(const std::vector<Line>& lines, std::size_t begin) {
  std::size_t end = lines.size();
  while (end > begin && lines[end - 1].kind == LineKind::Blank) --end;
  return end;
}

}  // namespace

void ClassifyLine(Line& line) {
  line.name = {};
  line.value = {};
  const std::string_view text = TrimStart(line.text, kProfileBlanks);
  if (text.empty()) {
    line.kind = LineKind::Blank;
    return;
  }
  if (text.front() == '[') {
    line.kind = LineKind::Header;
    line.name = *HeaderName(text);
    return;
  }
  if (text.front() == ';') {
    line.kind = LineKind::Comment;
    return;
  }
  const std::size_t equals = FindSyntaxChar(text, '=');
  if (equals == std::string_view::npos) {
    line.kind = LineKind::Bare;
    line.name = Trim(text, kProfileBlanks);
    return;
  }
  line.kind = LineKind::Key;
  line.name = Trim(text.substr(0, equals), kProfileBlanks);
  line.value = Trim(text.substr(equals + 1), kProfileBlanks);
}

Document::Document() : bytes_(std::make_unique<const std::string>()) {
  blocks_.emplace_back();
  RebuildIndex();
}

std::string Document::TextRefusal() const {
  if (encoding_ == FileEncoding::Ansi || body_.size() % 2 == 0) return {};
  return "the file starts with a UTF-16 byte-order mark but is no UTF-16 text (an odd number of bytes); "
         "lines written into it would never read back";
}

Document Document::Parse(std::string bytes) {
  Document doc;
  doc.bytes_ = std::make_unique<const std::string>(std::move(bytes));
  const std::string_view all = *doc.bytes_;
  if (all.substr(0, 2) == kUtf16LeBom || all.substr(0, 2) == kUtf16BeBom) {
    doc.encoding_ = all.substr(0, 2) == kUtf16BeBom ? FileEncoding::Utf16Be : FileEncoding::Utf16Le;
    doc.bom_ = all.substr(0, 2);
  }
  doc.body_ = all.substr(doc.bom_.size());
  const std::string_view body = doc.body_;
  const auto start_block = [&doc](std::size_t at, std::string_view name) {
    doc.blocks_.back().end = at;
    Block block;
    block.begin = at;
    block.header = true;
    block.name = name;
    block.hash = NameHash(name);  // while the name's bytes are in the cache
    doc.blocks_.push_back(block);
  };
  if (doc.encoding_ == FileEncoding::Ansi) {
    // A header is a line whose first byte other than a blank is '[': look
    // at each '[' (memchr scans far faster than a line split) and back over
    // blanks to a line break or the file's start.
    const char* const data = body.data();
    const char* const stop = data + body.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '[', static_cast<std::size_t>(stop - p))));
         ++p) {
      const char* start = p;
      while (start > data && IsProfileBlank(start[-1])) --start;
      if (start > data && start[-1] != '\n' && start[-1] != '\r') continue;
      const auto first = static_cast<std::size_t>(p - data);
      const std::size_t end = FindLineBreak(body, first);
      start_block(static_cast<std::size_t>(start - data), *HeaderName(CutAtNul(body.substr(first, end - first))));
      p = data + end - 1;  // the rest of the line holds no header
    }
  } else {
    // Every line goes through the code page, as a read of it would.
    std::vector<Line> lines;
    doc.SplitLines(0, body.size(), lines, doc.owned_);
    std::size_t at = 0;
    for (const Line& line : lines) {
      if (line.kind == LineKind::Header) start_block(at, line.name);
      at += line.raw.size() + line.ending.size();
    }
  }
  doc.blocks_.back().end = body.size();
  doc.RebuildIndex();
  return doc;
}

void Document::SplitLines(std::size_t begin, std::size_t end, std::vector<Line>& out,
                          std::deque<std::string>& texts) const {
  const std::string_view range = body_.substr(begin, end - begin);
  if (encoding_ == FileEncoding::Ansi) {
    // Room for every line at once: a long section is not copied as its vector grows.
    std::size_t breaks = 0;
    // An empty range may have no data at all, which memchr must not be given.
    for (const char *p = range.data(), *stop = p + range.size();
         p != stop && (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(stop - p)))) != nullptr;
         ++p)
      ++breaks;
    out.reserve(out.size() + breaks + 1);
    for (std::size_t start = 0; start < range.size();) {
      const std::size_t stop = FindLineBreak(range, start);
      const std::size_t next = stop + EndingLength(range, stop);
      Line line;
      line.raw = range.substr(start, stop - start);
      line.ending = range.substr(stop, next - stop);
      line.text = CutAtNul(line.raw);
      ClassifyLine(line);
      out.push_back(line);
      start = next;
    }
    return;
  }
  const bool big_endian = encoding_ == FileEncoding::Utf16Be;
  const std::u16string units = DecodeUtf16(range, big_endian);
  for (std::size_t start = 0; start < units.size();) {
    std::size_t stop = start;
    while (stop < units.size() && units[stop] != u'\r' && units[stop] != u'\n') ++stop;
    std::size_t next = stop;
    if (next < units.size()) {
      next += (units[next] == u'\r' && next + 1 < units.size() && units[next + 1] == u'\n') ? 2 : 1;
    }
    std::u16string_view content(units.data() + start, stop - start);
    const std::size_t nul = content.find(u'\0');
    if (nul != std::u16string_view::npos) content = content.substr(0, nul);
    Line line;
    line.raw = range.substr(start * 2, (stop - start) * 2);
    line.ending = range.substr(stop * 2, (next - stop) * 2);
    line.text = texts.emplace_back(ToAnsi(content));
    ClassifyLine(line);
    out.push_back(line);
    start = next;
  }
  if (range.size() % 2 != 0) {
    // A stray last byte cannot be decoded; keep it so the file is written back as found.
    if (out.empty()) out.push_back(Line{range.substr(0, 0), range.substr(0, 0), {}, {}, {}, LineKind::Blank, false});
    Line& last = out.back();
    last.ending = std::string_view(last.ending.data(), last.ending.size() + 1);
  }
}

const std::vector<Line>& Document::LinesOf(std::uint32_t block) const {
  const Block& b = blocks_[block];
  if (b.edited != kNone) return edited_[b.edited];
  if (cached_block_ != block) {
    cached_lines_.clear();
    cached_texts_.clear();
    SplitLines(b.begin, b.end, cached_lines_, cached_texts_);
    MarkHiddenKeys(cached_lines_);
    cached_block_ = block;
  }
  return cached_lines_;
}

std::vector<Line>& Document::Edit(std::uint32_t block) {
  Block& b = blocks_[block];
  if (b.edited == kNone) {
    std::vector<Line> lines;
    if (cached_block_ == block && encoding_ == FileEncoding::Ansi) {
      lines = std::move(cached_lines_);  // the block read last: views into the file's bytes, taken as they are
      cached_lines_.clear();
    } else {
      SplitLines(b.begin, b.end, lines, owned_);
      MarkHiddenKeys(lines);
    }
    b.edited = static_cast<std::uint32_t>(edited_.size());
    edited_.push_back(std::move(lines));
    if (cached_block_ == block) cached_block_ = kNone;
  }
  return edited_[b.edited];
}

std::string_view Document::LineEnd() const {
  switch (encoding_) {
    case FileEncoding::Ansi:
      return kCrLf;
    case FileEncoding::Utf16Le:
      return kCrLfLe;
    case FileEncoding::Utf16Be:
      break;
  }
  return kCrLfBe;
}

Line Document::MakeLine(std::string_view text) {
  Line line;
  if (encoding_ == FileEncoding::Ansi) {
    std::string& bytes = owned_.emplace_back(text);
    bytes += kCrLf;
    line.raw = std::string_view(bytes).substr(0, text.size());
    line.ending = std::string_view(bytes).substr(text.size());
    line.text = line.raw;
  } else {
    line.text = owned_.emplace_back(text);
    line.raw = owned_.emplace_back(EncodeUtf16(FromAnsi(text), encoding_ == FileEncoding::Utf16Be));
    line.ending = LineEnd();
  }
  ClassifyLine(line);
  return line;
}

void Document::EnsureEnding(Line& line) const {
  if (line.ending.empty()) line.ending = LineEnd();
}

std::uint32_t Document::FindBlock(std::string_view name) const {
  if (name.empty()) return 0;
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t hash = NameHash(name);
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    std::uint32_t block = slots_[i].block;
    if (block == kNone) return kNone;
    if (slots_[i].tag != Tag(hash) || !NamesEqual(blocks_[block].name, name)) continue;
    while (block != kNone && blocks_[block].deleted) block = blocks_[block].next_same;
    return block;
  }
}

void Document::IndexBlock(std::uint32_t block) {
  const std::string_view name = blocks_[block].name;
  if (!blocks_[block].header || name.empty()) return;
  const std::uint64_t hash = blocks_[block].hash;
  if ((indexed_ + 1) * 2 > slots_.size()) {
    RebuildIndex();  // grows the table; indexes this block too
    return;
  }
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.block == kNone) {
      slot = {block, Tag(hash)};
      ++indexed_;
      return;
    }
    if (slot.tag == Tag(hash) && NamesEqual(blocks_[slot.block].name, name)) {
      std::uint32_t last = slot.block;  // later in the file than every block of the chain
      while (blocks_[last].next_same != kNone) last = blocks_[last].next_same;
      blocks_[last].next_same = block;
      return;
    }
  }
}

void Document::RebuildIndex() {
  std::size_t size = 16;
  while (size < blocks_.size() * 2 + 2) size *= 2;
  slots_.assign(size, Slot{});
  indexed_ = 0;
  for (Block& block : blocks_) block.next_same = kNone;
  for (std::uint32_t i = 1; i < blocks_.size(); ++i) IndexBlock(i);
}

std::optional<std::span<const Line>> Document::FindSection(std::string_view name) const {
  const std::uint32_t block = FindBlock(name);
  if (block == kNone) return std::nullopt;
  const std::vector<Line>& lines = LinesOf(block);
  return std::span<const Line>(lines).subspan(blocks_[block].header && !lines.empty() ? 1 : 0);
}

const Line* Document::FindKey(std::span<const Line> body, std::string_view key) {
  for (const Line& line : body) {
    if (line.kind == LineKind::Key && !line.hidden && NamesEqual(line.name, key)) return &line;
  }
  return nullptr;
}

std::vector<std::string_view> Document::SectionNames() const {
  std::vector<std::string_view> names;
  for (const Block& block : blocks_) {
    if (block.header && !block.deleted && !block.name.empty()) names.push_back(block.name);
  }
  return names;
}

bool Document::ForEachBodyPiece(const std::function<bool(std::string_view)>& visit) const {
  for (const Block& block : blocks_) {
    if (block.deleted) continue;
    if (block.edited == kNone) {
      if (!visit(body_.substr(block.begin, block.end - block.begin))) return false;
      continue;
    }
    for (const Line& line : edited_[block.edited]) {
      if (!visit(line.raw) || !visit(line.ending)) return false;
    }
  }
  return true;
}

std::string Document::WriteRefusal() const {
  if (encoding_ != FileEncoding::Ansi) return {};
  // Deleting the lines before such bytes, or writing them first, would make
  // the file read back as UTF-16.
  const std::string head = Head(2);
  if (head != kUtf16LeBom && head != kUtf16BeBom) return {};
  return "the text would start with the bytes of a UTF-16 byte-order mark and read back as other text; "
         "nothing was written";
}

std::string Document::Head(std::size_t n) const {
  std::string head;
  ForEachBodyPiece([&](std::string_view piece) {
    head += piece.substr(0, n - head.size());
    return head.size() < n;
  });
  return head;
}

void Document::Serialise(const std::function<void(std::string_view)>& put) const {
  std::string_view pending = bom_;
  ForEachBodyPiece([&](std::string_view piece) {
    if (piece.empty()) return true;
    if (pending.data() + pending.size() == piece.data()) {
      pending = std::string_view(pending.data(), pending.size() + piece.size());
      return true;
    }
    if (!pending.empty()) put(pending);
    pending = piece;
    return true;
  });
  if (!pending.empty()) put(pending);
}

std::string Document::Serialise() const {
  std::string out;
  Serialise([&out](std::string_view piece) { out += piece; });
  return out;
}

std::string Document::BytesOf(std::uint32_t block) const {
  std::string out;
  for (const Line& line : LinesOf(block)) {
    out += line.raw;
    out += line.ending;
  }
  return out;
}

void Document::InsertLines(std::uint32_t block, std::size_t at, const std::vector<std::string>& texts) {
  if (texts.empty()) return;
  std::vector<Line> made;
  made.reserve(texts.size());
  for (const std::string& text : texts) made.push_back(MakeLine(text));
  std::vector<Line>& lines = Edit(block);
  // The line before gets a line end (block 0 starts the file: none before it).
  if (at > 0) EnsureEnding(lines[at - 1]);
  // The key index holds on when no indexed line moves.
  const auto moves = [](const Line& line) { return line.kind == LineKind::Key || line.kind == LineKind::Bare; };
  if (std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.end(), moves)) DropKeys(block);
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), made.begin(), made.end());
  if (!SettleChanged(block, at, at + made.size())) return Settle(block);
  const auto found = key_indexes_.find(blocks_[block].edited);
  if (found == key_indexes_.end()) return;
  for (std::size_t i = at; i < at + made.size(); ++i) AddToIndex(found->second, lines, static_cast<std::uint32_t>(i));
}

bool Document::SettleChanged(std::uint32_t block, std::size_t from, std::size_t to) {
  std::vector<Line>& lines = edited_[blocks_[block].edited];
  const std::size_t first = blocks_[block].header ? 1 : 0;
  for (std::size_t i = std::max(from, first); i < to; ++i) {
    if (lines[i].kind == LineKind::Header) return false;
  }
  MarkHiddenKeysAround(lines, from, to);
  return true;
}

Document::KeyIndex& Document::KeysOf(std::uint32_t block) {
  const std::uint32_t id = blocks_[block].edited;
  const auto found = key_indexes_.find(id);
  if (found != key_indexes_.end()) return found->second;
  KeyIndex& index = key_indexes_[id];
  const std::vector<Line>& lines = edited_[id];
  std::size_t size = 16;
  while (size < lines.size() * 2 + 2) size *= 2;
  index.slots.assign(size, kNone);
  for (std::size_t i = blocks_[block].header ? 1 : 0; i < lines.size(); ++i) {
    AddToIndex(index, lines, static_cast<std::uint32_t>(i));
  }
  return index;
}

void Document::AddToIndex(KeyIndex& index, const std::vector<Line>& lines, std::uint32_t line) {
  if (!IsWritable(lines[line])) return;
  if ((index.count + 1) * 2 > index.slots.size()) {
    // Twice the size, every line again (in order: the first of a name wins).
    std::vector<std::uint32_t> old(index.slots.size() * 2, kNone);
    old.swap(index.slots);
    index.count = 0;
    for (std::uint32_t kept : old) {
      if (kept != kNone) AddToIndex(index, lines, kept);
    }
  }
  const std::size_t mask = index.slots.size() - 1;
  const std::string_view name = lines[line].name;
  for (std::size_t i = NameHash(name) & mask;; i = (i + 1) & mask) {
    std::uint32_t& slot = index.slots[i];
    if (slot == kNone) {
      slot = line;
      ++index.count;
      return;
    }
    if (NamesEqual(lines[slot].name, name)) {
      if (line < slot) slot = line;
      return;
    }
  }
}

std::uint32_t Document::FindIndexed(std::uint32_t block, std::string_view key) {
  const KeyIndex& index = KeysOf(block);
  const std::vector<Line>& lines = edited_[blocks_[block].edited];
  const std::size_t mask = index.slots.size() - 1;
  for (std::size_t i = NameHash(key) & mask;; i = (i + 1) & mask) {
    const std::uint32_t slot = index.slots[i];
    if (slot == kNone || NamesEqual(lines[slot].name, key)) return slot;
  }
}

void Document::DropKeys(std::uint32_t block) {
  if (blocks_[block].edited != kNone) key_indexes_.erase(blocks_[block].edited);
}

void Document::AppendLines(const std::vector<std::string>& texts) {
  // The file's last line gets a line end.
  std::uint32_t last = static_cast<std::uint32_t>(blocks_.size() - 1);
  while (last > 0 && (blocks_[last].deleted || LinesOf(last).empty())) --last;
  if (!LinesOf(last).empty() && LinesOf(last).back().ending.empty()) EnsureEnding(Edit(last).back());
  // The lines go into a new block of their own, split at headers by Settle.
  Block block;
  block.begin = block.end = body_.size();
  block.header = true;
  block.edited = static_cast<std::uint32_t>(edited_.size());
  edited_.emplace_back();
  for (const std::string& text : texts) edited_.back().push_back(MakeLine(text));
  block.name = edited_.back().front().name;
  block.hash = NameHash(block.name);
  blocks_.push_back(block);
  const auto added = static_cast<std::uint32_t>(blocks_.size() - 1);
  IndexBlock(added);
  Settle(added);
}

void Document::Settle(std::uint32_t block) {
  std::vector<Line>& lines = edited_[blocks_[block].edited];
  // A written line that reads as a header (a key name starting with '[')
  // starts a section of its own, as it will when the file is read again.
  const std::size_t first = blocks_[block].header ? 1 : 0;
  const auto header = std::find_if(lines.begin() + static_cast<std::ptrdiff_t>(std::min(first, lines.size())),
                                   lines.end(), [](const Line& line) { return line.kind == LineKind::Header; });
  if (header == lines.end()) {
    MarkHiddenKeys(lines);
    return;
  }
  DropKeys(block);
  std::vector<Line> rest(header, lines.end());
  lines.erase(header, lines.end());
  MarkHiddenKeys(lines);
  Block split;
  split.begin = split.end = body_.size();
  split.header = true;
  split.name = rest.front().name;
  split.hash = NameHash(split.name);
  split.edited = static_cast<std::uint32_t>(edited_.size());
  edited_.push_back(std::move(rest));
  blocks_.insert(blocks_.begin() + block + 1, split);
  cached_block_ = kNone;
  RebuildIndex();
  Settle(block + 1);
}

bool Document::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::uint32_t block = FindBlock(section);
  if (block == kNone) {
    AppendLines({HeaderText(section), KeyText(key, value)});
    return true;
  }
  const std::size_t first = blocks_[block].header ? 1 : 0;
  const std::vector<Line>& lines = LinesOf(block);
  const Line* found = nullptr;
  if (blocks_[block].edited != kNone && !key.empty()) {
    const std::uint32_t at = FindIndexed(block, key);
    if (at != kNone) found = &lines[at];
  } else {
    found = FindWritableKey(std::span<const Line>(lines).subspan(std::min(first, lines.size())), key);
  }
  if (!found) {
    InsertLines(block, EndBeforeTrailingBlanks(lines, first), {KeyText(key, value)});
    return true;
  }
  const auto index = static_cast<std::size_t>(found - lines.data());
  std::string text;
  if (found->kind == LineKind::Bare) {
    // A bare line of that name takes the value (it becomes a key line).
    text = KeyText(found->name, value);
  } else {
    if (found->value == value) return false;
    // Keep the line's own spelling and spacing up to '=', and its line end.
    text = found->text.substr(0, FindSyntaxChar(found->text, '=') + 1);
    text += value;
  }
  Line replacement = MakeLine(text);
  std::vector<Line>& edited = Edit(block);
  replacement.ending = edited[index].ending;
  const bool same_name = IsWritable(edited[index]) && replacement.kind == LineKind::Key &&
                         !replacement.name.empty() && NamesEqual(replacement.name, edited[index].name);
  if (!same_name) DropKeys(block);
  edited[index] = replacement;
  if (!SettleChanged(block, index, index + 1)) Settle(block);
  return true;
}

bool Document::DeleteKey(std::string_view section, std::string_view key) {
  const std::uint32_t block = FindBlock(section);
  if (block == kNone) return false;
  const std::size_t first = blocks_[block].header ? 1 : 0;
  const std::vector<Line>& lines = LinesOf(block);
  const Line* found = FindWritableKey(std::span<const Line>(lines).subspan(std::min(first, lines.size())), key);
  if (!found) return false;
  const auto index = static_cast<std::ptrdiff_t>(found - lines.data());
  std::vector<Line>& edited = Edit(block);
  DropKeys(block);
  edited.erase(edited.begin() + index);
  MarkHiddenKeys(edited);
  return true;
}

bool Document::DeleteSection(std::string_view section) {
  const std::uint32_t block = FindBlock(section);
  if (block == kNone) return false;
  // The header and every line up to the next header go, except comment lines.
  // The block before the first header with no keys or bare lines is left alone.
  const std::vector<Line>& lines = LinesOf(block);
  const auto is = [](LineKind kind) { return [kind](const Line& line) { return line.kind == kind; }; };
  if (!blocks_[block].header && std::none_of(lines.begin(), lines.end(), is(LineKind::Key)) &&
      std::none_of(lines.begin(), lines.end(), is(LineKind::Bare))) {
    return false;
  }
  if (blocks_[block].header && std::none_of(lines.begin(), lines.end(), is(LineKind::Comment))) {
    DropKeys(block);
    blocks_[block].deleted = true;  // nothing of it stays: no copy of its lines is needed
    return true;
  }
  // Copied from the document's own lines: a read's lines may not outlive it.
  std::vector<Line>& own = Edit(block);
  DropKeys(block);
  std::vector<Line> comments;
  std::copy_if(own.begin(), own.end(), std::back_inserter(comments), is(LineKind::Comment));
  own = comments;
  if (!blocks_[block].header) return true;
  blocks_[block].deleted = true;
  own.clear();
  if (!comments.empty()) {
    // With no header left, the comments end the section before.
    std::uint32_t before = block - 1;
    while (before > 0 && blocks_[before].deleted) --before;
    std::vector<Line>& previous = Edit(before);
    DropKeys(before);
    previous.insert(previous.end(), comments.begin(), comments.end());
    MarkHiddenKeys(previous);
  }
  return true;
}

bool Document::ReplaceSection(std::string_view section, const std::vector<std::string>& body) {
  std::vector<std::uint32_t> blocks;
  for (std::uint32_t block = FindBlock(section); block != kNone; block = blocks_[block].next_same) {
    if (!blocks_[block].deleted) blocks.push_back(block);
    if (section.empty()) break;  // the block before the first header has no namesakes
  }
  if (blocks.empty()) {
    if (body.empty()) return false;
    std::vector<std::string> texts;
    texts.push_back(HeaderText(section));
    texts.insert(texts.end(), body.begin(), body.end());
    AppendLines(texts);
    return true;
  }
  std::string before;
  for (std::uint32_t block : blocks) before += BytesOf(block);
  const std::size_t count = blocks_.size();
  // Later namesakes are emptied; the first takes the new body.
  for (std::size_t i = blocks.size(); i-- > 0;) {
    const std::uint32_t block = blocks[i];
    const std::size_t first = blocks_[block].header ? 1 : 0;
    std::vector<Line>& lines = Edit(block);
    DropKeys(block);
    const std::size_t end = EndBeforeTrailingBlanks(lines, first);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(std::min(first, end)),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
    MarkHiddenKeys(lines);
    if (i == 0) InsertLines(block, first, body);
  }
  if (blocks_.size() != count) return true;  // a body line became a header
  std::string after;
  for (std::uint32_t block : blocks) after += BytesOf(block);
  return after != before;
}

}  // namespace vantrel::storage::ini
