#include "storage/file_text.hpp"

#include "storage/codepage.hpp"

namespace vantrel::storage {

bool ToFileText(std::u16string_view text, std::string_view what, std::string& out, std::string& why) {
  constexpr std::u16string_view kLineBreaksAndNul{u"\r\n\0", 3};
  if (text.find_first_of(kLineBreaksAndNul) != std::u16string_view::npos) {
    why = "the " + std::string(what) + " holds a line break or NUL character";
    return false;
  }
  out = ToAnsi(text);
  if (FromAnsi(out) != text) {
    why = "the " + std::string(what) + " holds characters that the code page " + AnsiCodePageName() +
          " cannot represent";
    return false;
  }
  return true;
}

}  // namespace vantrel::storage
