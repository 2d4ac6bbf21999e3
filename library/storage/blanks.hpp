#pragma once
// Blanks and trimming for every layer, in one place. Each caller names the
// set of blanks it means, because the sets differ by rule:
//   kSpace          names, paths and user names lose spaces only
//   kProfileBlanks  what the profile format trims around a line's parts
//   kNumberBlanks   what the number and date readers skip
#include <string_view>
#include <type_traits>

namespace vantrel::storage {

inline constexpr std::u16string_view kSpace = u" ";
inline constexpr std::u16string_view kProfileBlanks = u" \t\v\f";
inline constexpr std::u16string_view kNumberBlanks = u" \t\r\n\u00A0";

namespace blanks_detail {
template <class Char>
constexpr bool In(Char c, std::u16string_view blanks) {
  return blanks.find(static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(c))) != std::u16string_view::npos;
}
template <class Char>
constexpr std::basic_string_view<Char> TrimStart(std::basic_string_view<Char> text, std::u16string_view blanks) {
  while (!text.empty() && In(text.front(), blanks)) text.remove_prefix(1);
  return text;
}
template <class Char>
constexpr std::basic_string_view<Char> Trim(std::basic_string_view<Char> text, std::u16string_view blanks) {
  text = TrimStart(text, blanks);
  while (!text.empty() && In(text.back(), blanks)) text.remove_suffix(1);
  return text;
}
}  // namespace blanks_detail

// ANSI bytes (the profile engine) and UTF-16 text (everything else).
constexpr bool IsBlank(char c, std::u16string_view blanks) { return blanks_detail::In(c, blanks); }
constexpr bool IsBlank(char16_t c, std::u16string_view blanks) { return blanks_detail::In(c, blanks); }
constexpr std::string_view TrimStart(std::string_view text, std::u16string_view blanks) {
  return blanks_detail::TrimStart(text, blanks);
}
constexpr std::u16string_view TrimStart(std::u16string_view text, std::u16string_view blanks) {
  return blanks_detail::TrimStart(text, blanks);
}
constexpr std::string_view Trim(std::string_view text, std::u16string_view blanks) {
  return blanks_detail::Trim(text, blanks);
}
constexpr std::u16string_view Trim(std::u16string_view text, std::u16string_view blanks) {
  return blanks_detail::Trim(text, blanks);
}
constexpr std::u16string_view TrimSpaces(std::u16string_view text) { return Trim(text, kSpace); }

}  // namespace vantrel::storage
