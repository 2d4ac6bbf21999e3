// The state sits in a Win32 TLS slot and Vantrel.dll frees it as each thread
// ends (DLL_THREAD_DETACH). Not a thread_local object: with mingw-w64, the
// destructor of one is registered in winpthreads' key table, and after
// threads that used the library ended at the same moment, the unload of the
// library was seen waiting for that table's lock forever (the host process
// never exited).
#include <windows.h>

#include <stdexcept>

#include "storage/ini/thread_state.hpp"

namespace vantrel::storage::ini {
namespace {

DWORD Slot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

}  // namespace

ThreadState& ThisThread() {
  const DWORD slot = Slot();
  if (slot == TLS_OUT_OF_INDEXES) throw std::runtime_error("no thread-local storage slot is left");
  auto* state = static_cast<ThreadState*>(TlsGetValue(slot));
  if (!state) {
    state = new ThreadState;
    TlsSetValue(slot, state);
  }
  return *state;
}

void ForgetThisThread() {
  const DWORD slot = Slot();
  if (slot == TLS_OUT_OF_INDEXES) return;
  delete static_cast<ThreadState*>(TlsGetValue(slot));
  TlsSetValue(slot, nullptr);
}

void ReleaseThreadStates() {
  ForgetThisThread();
  if (const DWORD slot = Slot(); slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
}

}  // namespace vantrel::storage::ini
