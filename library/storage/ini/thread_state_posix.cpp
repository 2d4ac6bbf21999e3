#include "storage/ini/thread_state.hpp"

namespace vantrel::storage::ini {

ThreadState& ThisThread() {
  thread_local ThreadState state;
  return state;
}

void ForgetThisThread() {}

void ReleaseThreadStates() {}

}  // namespace vantrel::storage::ini
