#include "core/path_rules.hpp"

namespace vantrel::wizard {

std::u16string FolderOf(std::u16string_view path, Separators separators) {
  for (std::size_t i = path.size(); i > 0; --i) {
    const char16_t c = path[i - 1];
    if (c == u'\\' || (separators == Separators::BackslashAndSlash && c == u'/'))
      return std::u16string(path.substr(0, i));
  }
  return std::u16string(path);
}

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view lowerSuffix) {
  if (text.size() < lowerSuffix.size()) return false;
  const std::u16string_view tail = text.substr(text.size() - lowerSuffix.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    char16_t c = tail[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != lowerSuffix[i]) return false;
  }
  return true;
}

std::u16string QuoteIfBlank(std::u16string_view path) {
  if (path.find(u' ') == std::u16string_view::npos) return std::u16string(path);
  std::u16string quoted;
  quoted.reserve(path.size() + 2);
  quoted += u'"';
  quoted += path;
  quoted += u'"';
  return quoted;
}

bool FileExistsFrom(std::u16string_view path, ProbeResult probe) {
  if (path.empty()) return false;
  switch (probe) {
    case ProbeResult::FileNotFound:
    case ProbeResult::PathNotFound:
    case ProbeResult::DeviceUnavailable:
      return false;
    case ProbeResult::Found:
    case ProbeResult::OtherFailure:
      break;
  }
  return true;
}

}  // namespace vantrel::wizard
