#pragma once
// The DLL itself: its handle and path, and the counts that decide whether
// the system may unload it (live COM objects and server locks).
#include <windows.h>

#include <string>

namespace vantrel::com {

HMODULE ModuleHandle() noexcept;
// Full path of Vantrel.dll as loaded, for registration and the type library.
std::wstring ModulePath();

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void LockModule(bool lock) noexcept;
// True when no object is alive and no lock is held.
bool CanUnload() noexcept;

}  // namespace vantrel::com
