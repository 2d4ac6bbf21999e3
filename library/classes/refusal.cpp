#include "classes/refusal.hpp"

#include "automation/error.hpp"

namespace vantrel::classes {

void RaiseIfRefused(const std::u16string& reason) {
  if (!reason.empty()) throw automation::AutomationError(automation::kInvalidArgument, u"Refused: " + reason);
}

}  // namespace vantrel::classes
