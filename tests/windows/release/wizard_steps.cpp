// Runs the released Wizard.exe's four steps from outside, as an operator
// would: starts the program, clicks each button, types the chosen file into
// each Open dialog, and presses OK on every message box (the wizard's own and
// any of the registration tool it starts), printing what they said.
// Usage: wizard_steps WIZARD_EXE SERVER_EXE INCLUDE_ASP LIBRARY_DLL...
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <string>

#include "win32/form1_window.hpp"

namespace {

namespace ids = vantrel::wizard::win32;

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// A dialog-class window of another process than this one: an Open dialog of
// the wizard, or a message box of the wizard or of Regsvr32. The wizard
// starts Regsvr32 hidden, so its message box may be hidden too.
BOOL CALLBACK KeepForeignDialog(HWND window, LPARAM result) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  const bool shown = IsWindowVisible(window) || _wcsicmp(TextOf(window).c_str(), L"RegSvr32") == 0;
  if (shown && std::wstring(className) == L"#32770" && process != GetCurrentProcessId()) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindDialog() {
  HWND found = nullptr;
  EnumWindows(KeepForeignDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND WaitForDialog(int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (HWND dialog = FindDialog()) return dialog;
    Sleep(100);
  }
  return nullptr;
}

BOOL CALLBACK KeepStaticText(HWND child, LPARAM result) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (std::wstring(className) == L"Static" && GetWindowTextLengthW(child) > 0) {
    *reinterpret_cast<std::wstring*>(result) = TextOf(child);
    return FALSE;
  }
  return TRUE;
}

std::wstring MessageOf(HWND box) {
  std::wstring text;
  EnumChildWindows(box, KeepStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void Press(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  for (int i = 0; i < 100 && IsWindow(dialog) && FindDialog() == dialog; ++i) Sleep(100);
}

// Presses OK on each message box that appears within `seconds`, printing it.
int AnswerMessages(int expected, int seconds) {
  int answered = 0;
  while (answered < expected) {
    HWND box = WaitForDialog(seconds);
    if (!box) break;
    std::wprintf(L"message [%ls]: %ls\n", TextOf(box).c_str(), MessageOf(box).c_str());
    std::fflush(stdout);
    Press(box, IDOK);
    ++answered;
  }
  return answered;
}

bool ChooseFile(HWND form, int button, const std::wstring& file) {
  PostMessageW(GetDlgItem(form, button), BM_CLICK, 0, 0);
  HWND dialog = WaitForDialog(120);
  if (!dialog || !GetDlgItem(dialog, cmb1)) {
    std::wprintf(L"FAIL no Open dialog after button %d\n", button);
    return false;
  }
  std::wprintf(L"dialog [%ls]: %ls\n", TextOf(dialog).c_str(), file.c_str());
  std::fflush(stdout);
  HWND name = GetDlgItem(dialog, edt1);
  if (!name) name = GetDlgItem(dialog, cmb13);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  Press(dialog, IDOK);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::fputs("usage: wizard_steps WIZARD_EXE SERVER_EXE INCLUDE_ASP LIBRARY_DLL...\n", stderr);
    return 2;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::wprintf(L"FAIL cannot start %ls\n", argv[1]);
    return 1;
  }
  HWND form = nullptr;
  for (int i = 0; i < 3000 && !form; ++i) {  // a first start under emulation is slow
    form = FindWindowW(ids::kForm1Class, nullptr);
    if (!form) Sleep(100);
  }
  int failures = form ? 0 : 1;
  if (form) {
    // Step 1 for each library. Windows' registration tool answers with a
    // message box; Wine's writes to its console, so none may come: whether
    // the library was registered is for the caller to check.
    for (int i = 4; i < argc; ++i) {
      if (!ChooseFile(form, ids::kCommand1, argv[i])) ++failures;
      AnswerMessages(1, 20);
    }
    if (!ChooseFile(form, ids::kCommand2, argv[2])) ++failures;
    if (!ChooseFile(form, ids::kCommand3, argv[3])) ++failures;
    PostMessageW(GetDlgItem(form, ids::kCommand4), BM_CLICK, 0, 0);
    if (AnswerMessages(1, 60) != 1) ++failures;
    PostMessageW(form, WM_CLOSE, 0, 0);
  } else {
    std::puts("FAIL the wizard's window did not appear");
  }
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    ++failures;
  }
  std::printf("%s\n", failures ? "FAILED" : "PASSED");
  return failures ? 1 : 0;
}
