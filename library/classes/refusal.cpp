#include "classes/refusal.hpp"

namespace vantrel::classes {

bool Refuse(std::u16string& errorMsg, const std::u16string& reason) {
  if (reason.empty()) return false;
  errorMsg = u"Refused: " + reason;
  return true;
}

}  // namespace vantrel::classes
