#pragma once
// Stored entries of both files join their fields with "|": domain lines, user
// list lines, access lines, administrator entries.
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::storage {

// The fields of an entry, split at every separator, blanks kept; "" gives one
// empty field.
inline std::vector<std::u16string> SplitFields(std::u16string_view text, char16_t separator = u'|') {
  std::vector<std::u16string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    if (end == std::u16string_view::npos) {
      fields.emplace_back(text.substr(start));
      return fields;
    }
    fields.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace vantrel::storage
