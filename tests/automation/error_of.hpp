#pragma once
// The automation error number a call raises; 0 when it raises none.
#include "automation/error.hpp"

namespace vantrel::automation::test_support {

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace vantrel::automation::test_support
