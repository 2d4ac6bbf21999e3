#include "storage/ini/ini_text.hpp"

#include "storage/blanks.hpp"
#include "storage/codepage.hpp"

namespace vantrel::storage::ini {

std::size_t FindSyntaxChar(std::string_view text, char c, std::size_t from) {
  if (!AnsiTrailBytesCanLookLikeAscii()) return text.find(c, from);
  for (std::size_t i = from; i < text.size(); i += AnsiCharLength(text, i)) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

namespace {
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string_view StripQuotes(std::string_view text) {
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::uint32_t ParseProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i], kProfileBlanks)) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint32_t value = 0;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    for (i += 2; i < text.size(); ++i) {
      const char c = text[i];
      std::uint32_t digit;
      if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f') digit = static_cast<std::uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
      else break;
      value = value * 16u + digit;
    }
  } else {
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
  }
  return negative ? 0u - value : value;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace vantrel::storage::ini
