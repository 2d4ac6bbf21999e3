#pragma once
// Automation errors: what a late-bound caller sees when a call fails outside
// the Boolean result convention. The number is the short error number a
// script reads (VBScript's Err.Number); COM turns it into 0x800A0000 | number.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantrel::automation {

// The error numbers the system raises.
enum ErrorNumber : std::int32_t {
  kInvalidArgument = 5,          // also "key not found" of the collections
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kObjectRequired = 424,
  kActionNotSupported = 445,     // an operation that is not available yet
  kMemberNotFound = 438,
  kArgumentNotOptional = 449,
  kWrongArgumentCount = 450,
  kDuplicateKey = 457,
  kCannotCreateObject = 429,
};

class AutomationError : public std::runtime_error {
 public:
  AutomationError(std::int32_t number, std::u16string description);
  // An error with the standard description of its number.
  explicit AutomationError(std::int32_t number);

  std::int32_t Number() const noexcept { return number_; }
  const std::u16string& Description() const noexcept { return description_; }

 private:
  std::int32_t number_;
  std::u16string description_;
};

// The standard description of an error number ("Type mismatch" for 13, ...);
// an unknown number gives "Automation error".
std::u16string StandardDescription(std::int32_t number);

}  // namespace vantrel::automation
