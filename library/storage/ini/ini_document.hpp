#pragma once
// An INI file as a list of lines that keep their exact bytes.
//
// Each line keeps its raw bytes (line end included) so that lines an edit does
// not touch are written back unchanged; its ANSI text is parsed into a kind,
// a name and a value. Files that start with a UTF-16 byte order mark are
// decoded line by line into the ANSI code page for parsing, and changed or new
// lines are encoded back into UTF-16. New lines end in CRLF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel::storage::ini {

enum class LineKind { Blank, Header, Key, Comment, Bare };

struct Line {
  std::string raw_content;  // bytes as in the file, without the line end
  std::string raw_ending;   // the line end's bytes ("" for a last line without one)
  std::string text;         // ANSI text, cut at the first NUL
  LineKind kind = LineKind::Blank;
  std::string name;   // header: name inside the brackets; key: name before '='; bare: the text; trimmed
  std::string value;  // key: text after the first '=', trimmed, quotes kept
  bool hidden = false;  // an empty-named key right after another: invisible to reads
};

enum class FileEncoding { Ansi, Utf16Le, Utf16Be };

// Lines of one section: the header (none for the block before the first
// header) and the body lines [begin, end).
struct SectionRange {
  std::optional<std::size_t> header;
  std::size_t begin = 0;
  std::size_t end = 0;
};

class Document {
 public:
  static Document Parse(std::string_view bytes);
  std::string Serialise() const;

  const std::vector<Line>& lines() const { return lines_; }
  FileEncoding encoding() const { return encoding_; }

  // Section "" is the block before the first header (it always exists). A named
  // section matches the first header of that name, letter case ignored.
  std::optional<SectionRange> FindSection(std::string_view name) const;
  std::vector<SectionRange> FindAllSections(std::string_view name) const;
  // Index of the first visible key line of that name in the range.
  std::optional<std::size_t> FindKey(const SectionRange& range, std::string_view key) const;
  // Writes and deletes also reach a bare line (a line without '=') of that name.
  std::optional<std::size_t> FindWritableKey(const SectionRange& range, std::string_view key) const;
  // Names of all headers with a non-empty name, in file order.
  std::vector<std::string> SectionNames() const;

  // Edits; each returns whether the document changed. Names are written as given.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);
  // `body` holds finished "key=value" lines.
  bool ReplaceSection(std::string_view section, const std::vector<std::string>& body);

 private:
  Line MakeLine(std::string_view text) const;
  void EnsureEnding(std::size_t index);
  void InsertLines(std::size_t at, const std::vector<std::string>& texts);
  void MarkHiddenKeys();
  std::size_t InsertionPoint(const SectionRange& range) const;
  std::size_t BodyEndBeforeTrailingBlanks(const SectionRange& range) const;

  SectionRange RangeOfHeader(std::size_t header) const;
  void Changed();

  FileEncoding encoding_ = FileEncoding::Ansi;
  std::string bom_;
  std::vector<Line> lines_;
  // First header line of each section name (ASCII letters lowered), built on
  // demand and dropped at every edit: lookups in big files skip the scan.
  mutable std::unordered_map<std::string, std::size_t> first_header_;
  mutable bool indexed_ = false;
};

// Fills kind, name and value of a line from its text.
void ClassifyLine(Line& line);

}  // namespace vantrel::storage::ini
