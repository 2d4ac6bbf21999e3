#include "com/module.hpp"

#include <atomic>

#include "storage/ini/thread_state.hpp"

namespace vantrel::com {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

HMODULE ModuleHandle() noexcept { return g_module; }

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
}

void ObjectCreated() noexcept { g_objects.fetch_add(1); }
void ObjectDestroyed() noexcept { g_objects.fetch_sub(1); }
void LockModule(bool lock) noexcept { lock ? g_locks.fetch_add(1) : g_locks.fetch_sub(1); }
bool CanUnload() noexcept { return g_objects.load() == 0 && g_locks.load() == 0; }

}  // namespace vantrel::com

// A thread's engine state goes as the thread ends, and the slot that holds
// the states when the library is freed (at process exit, the process takes
// it all).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) vantrel::com::g_module = instance;
  if (reason == DLL_THREAD_DETACH) vantrel::storage::ini::ForgetThisThread();
  if (reason == DLL_PROCESS_DETACH && !reserved) vantrel::storage::ini::ReleaseThreadStates();
  return TRUE;
}
