#pragma once
// An INI file held as its bytes and a list of sections.
//
// The file's bytes are kept in one buffer. Parsing finds only where each
// section starts (a header line) and indexes the sections by name; a
// section's lines are split and classified when it is read, as views into
// the buffer. An edit copies the lines of the one section it changes (views
// still, new lines' bytes kept by the document), so a transaction's edits
// each cost what their section costs, and the file's text is produced once,
// when it is written: sections no edit touched go out as the bytes they were.
//
// Lines keep their exact bytes, line end included. Files that start with a
// UTF-16 byte order mark are read line by line through the ANSI code page,
// and changed or new lines are encoded back into UTF-16. New lines end in CRLF.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel::storage::ini {

enum class LineKind : std::uint8_t { Blank, Header, Key, Comment, Bare };

// One line; every view points into storage the document keeps.
struct Line {
  std::string_view raw;     // bytes as in the file, without the line end
  std::string_view ending;  // the line end's bytes ("" for a last line without one)
  std::string_view text;    // ANSI text, cut at the first NUL
  std::string_view name;    // header: name inside the brackets; key: name before '='; bare: the text; trimmed
  std::string_view value;   // key: text after the first '=', trimmed, quotes kept
  LineKind kind = LineKind::Blank;
  bool hidden = false;  // an empty-named key right after another: invisible to reads
};

enum class FileEncoding { Ansi, Utf16Le, Utf16Be };

class Document {
 public:
  Document();
  static Document Parse(std::string bytes);

  // The file's bytes, in pieces, in order (adjacent pieces are joined).
  void Serialise(const std::function<void(std::string_view)>& put) const;
  std::string Serialise() const;

  FileEncoding encoding() const { return encoding_; }
  // Why the file cannot be taken as lines (empty when it can): it starts with
  // a UTF-16 byte-order mark but is no UTF-16 text (an odd number of bytes),
  // so lines written into it would be misaligned and never read back.
  std::string TextRefusal() const;
  // Why the text as edited cannot be written although the file could (empty
  // when it can): single-byte text that edits made start with the bytes of
  // such a mark would read back as UTF-16. Judged on the whole edit, at commit.
  std::string WriteRefusal() const;

  // The body lines (header excluded) of the first section of that name,
  // letter case ignored; section "" is the block before the first header and
  // always exists. Valid until the next edit or the next FindSection.
  std::optional<std::span<const Line>> FindSection(std::string_view name) const;
  // The first visible key line of that name.
  static const Line* FindKey(std::span<const Line> body, std::string_view key);
  // Names of all headers with a non-empty name, in file order.
  std::vector<std::string_view> SectionNames() const;

  // Edits; each returns whether the document changed. Names are written as given.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);
  // `body` holds finished "key=value" lines.
  bool ReplaceSection(std::string_view section, const std::vector<std::string>& body);

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // A header and its body up to the next header; block 0 is the text before
  // the first header (no header line). Until edited, its lines are the bytes
  // [begin, end) of the file's body.
  struct Block {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string_view name;  // the header's name ("" for block 0 and "[]")
    std::uint64_t hash = 0;  // of the name, letter case ignored
    std::uint32_t edited = kNone;     // its lines in edited_, once changed
    std::uint32_t next_same = kNone;  // the next block of the same name
    bool header = false;
    bool deleted = false;
  };

  void SplitLines(std::size_t begin, std::size_t end, std::vector<Line>& out, std::deque<std::string>& texts) const;
  const std::vector<Line>& LinesOf(std::uint32_t block) const;
  std::vector<Line>& Edit(std::uint32_t block);
  Line MakeLine(std::string_view text);
  std::string_view LineEnd() const;
  void EnsureEnding(Line& line) const;

  std::uint32_t FindBlock(std::string_view name) const;
  void IndexBlock(std::uint32_t block);
  void RebuildIndex();
  std::string BytesOf(std::uint32_t block) const;
  // The body's pieces in file order, until visit returns false (then false).
  bool ForEachBodyPiece(const std::function<bool(std::string_view)>& visit) const;
  // The first n bytes of the body (fewer if it is shorter).
  std::string Head(std::size_t n) const;

  void AppendLines(const std::vector<std::string>& texts);
  void InsertLines(std::uint32_t block, std::size_t at, const std::vector<std::string>& texts);
  void Settle(std::uint32_t block);
  // Settle after lines [from, to) of an edited block changed; false (nothing
  // done) when one of them reads as a header: Settle is needed.
  bool SettleChanged(std::uint32_t block, std::size_t from, std::size_t to);

  // Of an edited block: the first writable line (a visible key or a bare
  // line) of each non-empty name, so a transaction's many writes to one
  // section each cost O(1). Built at a write, kept up by writes that add a
  // key at the end or change a value; every other edit of the block drops it.
  struct KeyIndex {
    std::vector<std::uint32_t> slots;  // line positions, kNone when free
    std::size_t count = 0;
  };
  KeyIndex& KeysOf(std::uint32_t block);
  std::uint32_t FindIndexed(std::uint32_t block, std::string_view key);
  void AddToIndex(KeyIndex& index, const std::vector<Line>& lines, std::uint32_t line);
  void DropKeys(std::uint32_t block);

  FileEncoding encoding_ = FileEncoding::Ansi;
  std::unique_ptr<const std::string> bytes_;  // the file as read
  std::string_view bom_;
  std::string_view body_;  // bytes_ after the byte order mark
  std::vector<Block> blocks_;
  std::deque<std::vector<Line>> edited_;  // a deque: references stay valid as it grows
  std::unordered_map<std::uint32_t, KeyIndex> key_indexes_;  // by position in edited_
  std::deque<std::string> owned_;  // bytes of made lines, decoded UTF-16 texts, new names
  struct Slot {
    std::uint32_t block = kNone;
    std::uint32_t tag = 0;  // high bits of the name's hash
  };
  std::vector<Slot> slots_;  // open-addressing index: name -> first block of that name
  std::size_t indexed_ = 0;
  // The lines of the block read last (unedited blocks only).
  mutable std::uint32_t cached_block_ = kNone;
  mutable std::vector<Line> cached_lines_;
  mutable std::deque<std::string> cached_texts_;
};

// Fills kind, name and value of a line from its text.
void ClassifyLine(Line& line);

}  // namespace vantrel::storage::ini
