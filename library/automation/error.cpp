#include "automation/error.hpp"

#include "automation/text.hpp"

namespace vantrel::automation {

AutomationError::AutomationError(std::int32_t number, std::u16string description)
    : std::runtime_error(ToUtf8(description)), number_(number), description_(std::move(description)) {}

AutomationError::AutomationError(std::int32_t number) : AutomationError(number, StandardDescription(number)) {}

std::u16string StandardDescription(std::int32_t number) {
  switch (number) {
    case kInvalidArgument: return u"Invalid procedure call or argument";
    case kOverflow: return u"Overflow";
    case kSubscriptOutOfRange: return u"Subscript out of range";
    case kTypeMismatch: return u"Type mismatch";
    case kObjectRequired: return u"Object required";
    case kCannotCreateObject: return u"ActiveX component can't create object";
    case kMemberNotFound: return u"Object doesn't support this property or method";
    case kActionNotSupported: return u"Object doesn't support this action";
    case kArgumentNotOptional: return u"Argument not optional";
    case kWrongArgumentCount: return u"Wrong number of arguments or invalid property assignment";
    case kDuplicateKey: return u"This key is already associated with an element of this collection";
    default: return u"Automation error";
  }
}

}  // namespace vantrel::automation
