#pragma once
// Internal: what the engine keeps per thread, in one place, so that each
// platform decides how it lives and ends (thread_state_posix.cpp,
// thread_state_windows.cpp).

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace vantrel::storage::ini {

class DryRun;
class Session;

struct ThreadState {
  std::map<std::filesystem::path, std::weak_ptr<Session>> sessions;  // open transactions, by file
  std::filesystem::path lastPath;  // the file named by the last session lookup, and its session
  std::weak_ptr<Session> lastSession;
  std::string lastError;
  DryRun* dryRun = nullptr;
};

// This thread's state, made on first use.
ThreadState& ThisThread();

// Frees this thread's state; Vantrel.dll calls it as each thread ends. No-op
// where the state is a thread_local object.
void ForgetThisThread();

}  // namespace vantrel::storage::ini
