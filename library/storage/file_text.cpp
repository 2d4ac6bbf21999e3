#include "storage/file_text.hpp"

#include "automation/text.hpp"
#include "storage/blanks.hpp"
#include "storage/codepage.hpp"
#include "storage/native_text.hpp"

namespace vantrel::storage {

bool ToFileText(std::u16string_view text, std::string_view what, std::string& out, std::string& why) {
  constexpr std::u16string_view kLineBreaksAndNul{u"\r\n\0", 3};
  if (text.find_first_of(kLineBreaksAndNul) != std::u16string_view::npos) {
    why = "the " + std::string(what) + " holds a line break or NUL character";
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF, low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (low || (high && (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF))) {
      why = "the " + std::string(what) + " is not valid text (invalid UTF-8 or a lone surrogate)";
      return false;
    }
    i += high;
  }
  out = ToAnsi(text);
  if (FromAnsi(out) != text) {
    why = "the " + std::string(what) + " holds characters that the code page " + AnsiCodePageName() +
          " cannot represent";
    return false;
  }
  return true;
}

std::string RefusalOfIniName(std::u16string_view section, std::u16string_view key) {
  if (section.find(u']') != std::u16string_view::npos) {
    return "the section name holds \"]\", which would end it early";
  }
  const auto start = key.find_first_not_of(u" \t\v\f");
  if (start == std::u16string_view::npos) {
    return "the key name is empty";
  }
  if (key.find(u'=') != std::u16string_view::npos) {
    return "the key name holds \"=\", which would split it";
  }
  if (key[start] == u';' || key[start] == u'[') {
    return "the key name starts with \";\" or \"[\", which would make it a comment or a section";
  }
  return {};
}

std::u16string RefusalOfLength(std::u16string_view stored, std::u16string_view what) {
  const std::size_t bytes = ToAnsi(stored).size();
  if (bytes <= kReadBackBytes) return {};
  const auto number = [](std::size_t n) { return automation::FromUtf8(std::to_string(n)); };
  return u"the " + std::u16string(what) + u" makes the stored value " + number(bytes) +
         u" bytes long; the library reads back at most " + number(kReadBackBytes);
}

std::string RefusalOfAnsi(std::string_view bytes, std::string_view what) {
  if (ToAnsi(FromAnsi(bytes)) == bytes) return {};
  return "the " + std::string(what) + " is not valid text in the code page " + AnsiCodePageName();
}

std::u16string RefusalOfText(std::u16string_view text, std::u16string_view what) {
  std::string bytes, why;
  if (ToFileText(text, Utf16ToUtf8(what), bytes, why)) return {};
  return automation::FromUtf8(why);
}

namespace {

std::u16string The(std::u16string_view what) { return u"the " + std::u16string(what); }

}  // namespace

std::u16string RefusalOfKeyName(std::u16string_view name, std::u16string_view what) {
  if (name.empty()) return The(what) + u" is empty";
  if (auto why = RefusalOfText(name, what); !why.empty()) return why;
  if (name.find(u'=') != std::u16string_view::npos) return The(what) + u" holds \"=\", which would end it early";
  if (name.find(u';') != std::u16string_view::npos)
    return The(what) + u" holds \";\", which would split it into two names";
  if (name.front() == u'[') return The(what) + u" starts with \"[\", which would make it a section";
  if (Trim(name, kProfileBlanks) != name) return The(what) + u" starts or ends with a blank, which the file drops";
  return {};
}

std::u16string RefusalOfValue(std::u16string_view value, std::u16string_view what) {
  if (auto why = RefusalOfText(value, what); !why.empty()) return why;
  if (value.empty()) return {};
  if (Trim(value, kProfileBlanks) != value) return The(what) + u" starts or ends with a blank, which the file drops";
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

}  // namespace vantrel::storage
