#pragma once
// Internal: what the engine keeps per thread, in one place, so that each
// platform decides how it lives and ends (thread_state_posix.cpp,
// thread_state_windows.cpp). Code built into Vantrel.dll keeps no other
// thread_local object with a destructor: thread_state_windows.cpp says why.

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

// Vantrel.dll calls these from DllMain: the first as each thread ends, the
// second when the library is unloaded (it forgets the unloading thread's
// state; those of threads still running are lost). No-ops where the state
// is a thread_local object.
void ForgetThisThread();
void ReleaseThreadStates();

}  // namespace vantrel::storage::ini
