#include "classes/settings_text.hpp"

#include "automation/text.hpp"
#include "storage/file_text.hpp"

namespace vantrel::classes {
namespace {

constexpr std::u16string_view kBlanks = u" \t\v\f";

bool IsBlank(char16_t c) { return kBlanks.find(c) != std::u16string_view::npos; }

// Line breaks, NUL and characters outside the code page.
std::u16string RefusalOfText(std::u16string_view text, std::u16string_view what) {
  std::string bytes, why;
  if (storage::ToFileText(text, automation::ToUtf8(what), bytes, why)) return {};
  return automation::FromUtf8(why);
}

std::u16string The(std::u16string_view what) { return u"the " + std::u16string(what); }

}  // namespace

std::u16string RefusalOfKeyName(std::u16string_view name, std::u16string_view what) {
  if (name.empty()) return The(what) + u" is empty";
  if (auto why = RefusalOfText(name, what); !why.empty()) return why;
  if (name.find(u'=') != std::u16string_view::npos) return The(what) + u" holds \"=\", which would end it early";
  if (name.find(u';') != std::u16string_view::npos)
    return The(what) + u" holds \";\", which would split it into two names";
  if (name.front() == u'[') return The(what) + u" starts with \"[\", which would make it a section";
  if (IsBlank(name.front()) || IsBlank(name.back()))
    return The(what) + u" starts or ends with a blank, which the file drops";
  return {};
}

std::u16string RefusalOfValue(std::u16string_view value, std::u16string_view what) {
  if (auto why = RefusalOfText(value, what); !why.empty()) return why;
  if (value.empty()) return {};
  if (IsBlank(value.front()) || IsBlank(value.back()))
    return The(what) + u" starts or ends with a blank, which the file drops";
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
    return The(what) + u" is enclosed in quotes, which the file drops";
  return {};
}

std::u16string RefusalOfField(std::u16string_view field, std::u16string_view what) {
  if (auto why = RefusalOfText(field, what); !why.empty()) return why;
  if (field.find(u'|') != std::u16string_view::npos)
    return The(what) + u" holds \"|\", which would split the entry into more fields";
  return {};
}

}  // namespace vantrel::classes
