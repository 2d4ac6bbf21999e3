#pragma once
// How every writer of the library refuses input that the files could not hold
// or give back as written (the rules: storage/file_text.hpp): automation
// error 5 with "Refused: <reason>", the reason naming the member or argument
// and the limit. It is raised before anything is written.
#include <string>

namespace vantrel::classes {

// Raises the refusal when `reason` is not empty.
void RaiseIfRefused(const std::u16string& reason);

}  // namespace vantrel::classes
