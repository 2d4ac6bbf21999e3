#include "storage/servu/user_line.hpp"

#include <string>

namespace vantrel::storage::servu {

namespace {

std::u16string Decimal(int n) {
  const std::string text = std::to_string(n);
  return std::u16string(text.begin(), text.end());
}

// The lowered prefix of `key` equals the lower-case ASCII word `word`. Only
// ASCII letters lower to ASCII letters, so comparing ASCII-lowered text is the
// same as lowering the whole prefix.
bool HasLoweredPrefix(std::u16string_view key, std::u16string_view word) {
  if (key.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char16_t c = key[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != word[i]) return false;
  }
  return true;
}

}  // namespace

std::u16string UserIndexSection(int domainID) { return u"Domain" + Decimal(domainID); }

std::u16string UserSection(std::u16string_view trimmedName, int domainID) {
  return u"USER=" + std::u16string(trimmedName) + u"|" + Decimal(domainID);
}

std::u16string UserKey(int position) { return u"User" + Decimal(position); }

bool IsUserListKey(std::u16string_view key) { return HasLoweredPrefix(key, u"user"); }

bool IsAccessKey(std::u16string_view key) { return HasLoweredPrefix(key, u"access"); }

std::u16string ComposeUserLine(std::u16string_view name, bool disable, std::u16string_view expiryField) {
  std::u16string line(name);
  line += disable ? u"|0|" : u"|1|";
  line += expiryField;
  return line;
}

}  // namespace vantrel::storage::servu
