// Wizard.exe: prepares a web server for the library (Win32 front end).
#include <windows.h>

#include "core/native_file_system.hpp"
#include "win32/form1_window.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  vantrel::wizard::win32::ShellRegsvrLauncher launcher;
  vantrel::wizard::NativeFileSystem files;
  vantrel::wizard::win32::Form1Window form(instance, launcher, files,
                                           vantrel::wizard::win32::ProgramFolder());
  HWND window = form.Create();
  if (!window) return 1;
  launcher.SetOwner(window);
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;  // Tab moves between controls
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
