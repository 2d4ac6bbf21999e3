#pragma once
// How every writer of the library refuses input that the files could not hold
// or give back as written (the rules: storage/file_text.hpp): the operation
// returns False with "Refused: <reason>" in ErrorMsg, the reason naming the
// member or argument and the limit, before anything is written. Bad input is
// an expected failure, so it is never raised as an automation error.
#include <string>

namespace vantrel::classes {

// Sets `errorMsg` to the refusal and answers true when `reason` is not empty.
bool Refuse(std::u16string& errorMsg, const std::u16string& reason);

}  // namespace vantrel::classes
