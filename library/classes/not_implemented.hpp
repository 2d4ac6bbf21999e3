#pragma once
// Raised by a manager operation whose implementation has not landed yet, so
// that no caller mistakes a missing operation for a failed or a successful one.
#include "automation/error.hpp"

namespace vantrel::classes {

[[noreturn]] inline void ThrowNotImplemented(const char16_t* member) {
  throw automation::AutomationError(automation::kActionNotSupported,
                                    std::u16string(member) + u" is not implemented");
}

}  // namespace vantrel::classes
