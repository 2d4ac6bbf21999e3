#pragma once
// Text on its way into an INI file: converted to the ANSI code page, and
// refused when it would break the file (a line break or NUL injects lines) or
// could not be stored as given (a character the code page cannot hold would
// come back as '?').
#include <string>
#include <string_view>

namespace vantrel::storage {

// True with `out` set to the ANSI bytes; false with `why` saying what is wrong
// with `text` (`what` names it in the message: "value", "key name", ...).
bool ToFileText(std::u16string_view text, std::string_view what, std::string& out, std::string& why);

}  // namespace vantrel::storage
