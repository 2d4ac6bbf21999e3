// The file form Wine writes after any change: CRLF line ends, blank lines
// dropped, blanks around names, '=' and values dropped, text after a header's
// ']' dropped, comment and bare lines trimmed, the second of two adjacent
// empty-named keys gone.
#include <string>
#include <string_view>

#include "compare.hpp"
#include "storage/blanks.hpp"

namespace compare {
namespace {

// Wine trims the blanks the engine trims around a line's parts.
std::string Trim(std::string_view s) {
  return std::string(vantrel::storage::Trim(s, vantrel::storage::kProfileBlanks));
}

}  // namespace

std::string WineNormalise(const std::string& bytes) {
  std::string out;
  bool previous_empty_key = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    std::string_view line(bytes.data() + start, end - start);
    start = end;
    if (start < bytes.size()) start += (bytes[start] == '\r' && start + 1 < bytes.size() && bytes[start + 1] == '\n') ? 2 : 1;
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos) line = line.substr(0, nul);
    const std::string text = Trim(line);
    if (text.empty()) continue;
    if (text[0] == '[') {
      const std::size_t close = text.rfind(']');
      out += "[" + Trim(std::string_view(text).substr(1, close - 1)) + "]\r\n";
      previous_empty_key = false;
      continue;
    }
    const std::size_t eq = text.find('=');
    if (text[0] == ';' || eq == std::string::npos) {
      out += text + "\r\n";
      previous_empty_key = false;
      continue;
    }
    const std::string name = Trim(std::string_view(text).substr(0, eq));
    if (name.empty()) {
      if (previous_empty_key) continue;
      previous_empty_key = true;
    } else {
      previous_empty_key = false;
    }
    out += name + "=" + Trim(std::string_view(text).substr(eq + 1)) + "\r\n";
  }
  return out;
}

}  // namespace compare
