// The wizard's Win32 window under Wine, driven two ways by one program.
//
// wizard_window_test [--no-open-dialogs]: the window in this
// process, in what it adds to the wizard core: the layout, the captions and
// fonts of a language switch, the Open dialog's set-up, the refusals, and
// the Windows file system behind the steps. Buttons are clicked (BM_CLICK);
// modal windows are answered from a timer that runs inside their modal loops.
//
// wizard_window_test --steps WIZARD_EXE SERVER_EXE INCLUDE_ASP LIBRARY_DLL...:
// the released Wizard.exe's four steps from outside, as an operator runs
// them: each button clicked, the chosen file typed into each Open dialog, OK
// pressed on every message box (the wizard's and the registration tool's),
// what they said printed. The release check looks at what the steps did.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "automation/text.hpp"
#include "core/native_file_system.hpp"
#include "win32/form1_window.hpp"

namespace {

using vantrel::automation::ToUtf8;
using vantrel::wizard::win32::FromWide;
using vantrel::wizard::win32::Wide;
using vantrel::wizard::win32::WindowText;
namespace ids = vantrel::wizard::win32;

int g_failures = 0;

void Expect(bool condition, const std::string& what) {
  if (condition) return;
  ++g_failures;
  std::printf("FAIL %s\n", what.c_str());
  std::fflush(stdout);
}

void ExpectEqual(const std::u16string& actual, const std::u16string& expected, const std::string& what) {
  Expect(actual == expected, what + ": got [" + ToUtf8(actual) + "], expected [" + ToUtf8(expected) + "]");
}

class RecordingLauncher final : public vantrel::wizard::RegistrationLauncher {
 public:
  std::optional<std::u16string> Start(const std::u16string& parameter) override {
    started.push_back(parameter);
    return std::nullopt;
  }
  std::vector<std::u16string> started;
};

// What a modal window showed: its title, and the message text or the Open
// dialog's folder and file type.
struct Seen {
  std::u16string title, text, folder;
  bool dialog = false;
};

// Each answer handles the next modal window of the thread: it records what
// the window shows and presses Cancel (an Open dialog) or OK (a message box).
std::deque<Seen*> g_expected;
HWND g_last = nullptr;

bool IsDialog(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  return std::wstring(className) == L"#32770";
}

void Press(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

std::u16string FirstStaticText(HWND box) {
  std::u16string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM result) CALLBACK -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (std::wstring(className) != L"Static" || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
          return TRUE;
        *reinterpret_cast<std::u16string*>(result) = WindowText(child);
        return reinterpret_cast<std::u16string*>(result)->empty();
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

void CALLBACK AnswerModals(HWND, UINT, UINT_PTR, DWORD) {
  HWND modal = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) CALLBACK -> BOOL {
        if (!IsWindowVisible(window) || !IsDialog(window) || window == g_last) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&modal));
  if (!modal) return;
  g_last = modal;
  Seen* seen = g_expected.empty() ? nullptr : g_expected.front();
  if (seen) g_expected.pop_front();
  else Expect(false, "unexpected window [" + ToUtf8(WindowText(modal)) + "]");
  const bool dialog = GetDlgItem(modal, cmb1) != nullptr;
  if (seen) {
    *seen = {WindowText(modal), FirstStaticText(modal), {}, dialog};
    if (dialog) {
      wchar_t text[MAX_PATH] = {};
      if (SendMessageW(modal, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text)) > 0)
        seen->folder = FromWide(text, wcslen(text));
      HWND types = GetDlgItem(modal, cmb1);
      SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(SendMessageW(types, CB_GETCURSEL, 0, 0)),
                   reinterpret_cast<LPARAM>(text));
      seen->text = FromWide(text, wcslen(text));
    }
  }
  Press(modal, dialog ? IDCANCEL : IDOK);
}

class Harness {
 public:
  explicit Harness(const std::u16string& programFolder)
      : form_(GetModuleHandleW(nullptr), launcher, files_, programFolder) {
    window = form_.Create();
    ShowWindow(window, SW_SHOW);
    SetTimer(window, 1, 30, AnswerModals);
  }
  // Clicks a button; `modals` are the windows it must show, in order.
  void Click(int id, std::vector<Seen*> modals, const std::string& step) {
    g_expected.assign(modals.begin(), modals.end());
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
    Expect(g_expected.empty(), step + ": an expected window never appeared");
    g_expected.clear();
  }
  void ChooseMenu(int id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  std::u16string Text(int id) const { return WindowText(GetDlgItem(window, id)); }
  void SetText(int id, const std::u16string& text) { SetWindowTextW(GetDlgItem(window, id), Wide(text)); }
  std::u16string FontFace(int id) const {
    auto font = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, id), WM_GETFONT, 0, 0));
    LOGFONTW face{};
    if (!font || !GetObjectW(font, sizeof face, &face)) return {};
    return FromWide(face.lfFaceName, wcslen(face.lfFaceName));
  }
  std::u16string MenuCaption(int position) const {
    wchar_t caption[64] = {};
    GetMenuStringW(GetMenu(window), static_cast<UINT>(position), caption, 64, MF_BYPOSITION);
    return FromWide(caption, wcslen(caption));
  }

  RecordingLauncher launcher;
  HWND window = nullptr;

 private:
  vantrel::wizard::NativeFileSystem files_;
  ids::Form1Window form_;
};

void LayoutAndEnglish(Harness& h, const std::u16string& program) {
  ExpectEqual(WindowText(h.window), u"Vantrel Setting Wizard", "window caption");
  ExpectEqual(h.Text(ids::kCommand1), u"Choose Vantrel.dll", "Command1");
  ExpectEqual(h.Text(ids::kLabel1), u"Then publish " + program + u"\\Web as a sub directory on your website.",
              "Label1");
  ExpectEqual(h.FontFace(ids::kCommand2), u"Comic Sans MS", "English font");
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client{}, text2{};
  GetClientRect(h.window, &client);
  Expect(client.right == MulDiv(7815, dpiX, 1440) && client.bottom == MulDiv(3735, dpiY, 1440),
         "the client area is 7815 x 3735 twips");
  GetWindowRect(GetDlgItem(h.window, ids::kText2), &text2);
  MapWindowPoints(nullptr, h.window, reinterpret_cast<POINT*>(&text2), 2);
  Expect(text2.left == MulDiv(2760, dpiX, 1440) && text2.top == MulDiv(2160, dpiY, 1440),
         "Text2 lies at (2760, 2160) twips");
}

// The menu keeps its captions; the window, its message boxes and its fonts
// take the chosen language, and the edit boxes keep what they hold. Which
// text each language gives is the core's (tests/wizard/languages_test.cpp).
void Languages(Harness& h) {
  h.SetText(ids::kText1, u"C:\\none\\ServUDaemon.exe");
  h.ChooseMenu(ids::kMenuJapanese);
  ExpectEqual(h.MenuCaption(0) + h.MenuCaption(1) + h.MenuCaption(2) + h.MenuCaption(3),
              u"English简体中文繁體中文日本語", "menu captions");
  ExpectEqual(WindowText(h.window), u"Vantrel 設置ウィザード", "Japanese caption");
  ExpectEqual(h.Text(ids::kFrame2), u"ステップ二", "Japanese Frame2");
  ExpectEqual(h.FontFace(ids::kLabel1), u"PGothic", "Japanese font");
  ExpectEqual(h.Text(ids::kText1), u"C:\\none\\ServUDaemon.exe", "Text1 kept across the switch");
  Seen message;
  h.Click(ids::kCommand4, {&message}, "step 4 in Japanese");
  ExpectEqual(message.title, u"Vantrel 設置ウィザード", "Japanese message title");
  ExpectEqual(message.text, u"應用プログラムServUDaemon.exe見つかりません！", "Japanese server-not-found");
  h.ChooseMenu(ids::kMenuEnglish);
  ExpectEqual(WindowText(h.window), u"Vantrel Setting Wizard", "English again");
}

void Refusals(Harness& h, const std::u16string& program, const std::u16string& root, bool openDialogs) {
  if (openDialogs) {
    Seen dialog, message;
    h.Click(ids::kCommand1, {&dialog, &message}, "step 1 cancelled");
    Expect(dialog.dialog, "step 1 opens an Open dialog");
    ExpectEqual(dialog.title + u"|" + dialog.folder + u"|" + dialog.text,
                u"Choose Vantrel.dll|" + program + u"|ActiveX Dll File(*.dll)", "step 1 dialog");
    Expect(!message.text.empty() && h.launcher.started.empty(), "a cancelled dialog is reported, nothing registered");
  }
  h.SetText(ids::kText1, root);  // a folder passes the existence test
  const std::u16string missing = root + u"\\no such folder\\ServUPath.asp";
  h.SetText(ids::kText2, missing);
  Seen failed;
  h.Click(ids::kCommand4, {&failed}, "step 4 failed write");
  ExpectEqual(failed.title, u"Vantrel Setting Wizard", "failed-write title");
  Expect(failed.text.rfind(u"Cannot write " + missing, 0) == 0, "failed-write text: [" + ToUtf8(failed.text) + "]");
}

// The Windows file system behind the steps: existence answers and the ANSI
// code page. The replacement of a file is the foundation's, which every
// write of the kernel32 comparison goes through (ini/compare_runner.cpp).
void NativeFileSystem(const std::u16string& root) {
  vantrel::wizard::NativeFileSystem files;
  using vantrel::wizard::ProbeResult;
  Expect(files.Probe(root) == ProbeResult::Found, "a folder answers the query");
  Expect(files.Probe(root + u"\\none.exe") == ProbeResult::FileNotFound, "a missing file is not found");
  Expect(files.Probe(root + u"\\no folder\\none.exe") == ProbeResult::PathNotFound, "a missing folder");
  Expect(files.Probe(root + u"\\a*b") == ProbeResult::OtherFailure, "a malformed name is another failure");
  if (GetACP() == 1252) {
    Expect(files.ToAnsi(u"C:\\caf\u00E9\\").bytes == std::optional<std::string>("C:\\caf\xE9\\"),
           "code page 1252 holds the accented letter in one byte");
    const auto chinese = files.ToAnsi(u"C:\\\u4E2D\\");
    Expect(!chinese.bytes && !chinese.error.empty(), "code page 1252 refuses a Chinese folder instead of '?'");
  }
}

// A dialog-class window of another process: an Open dialog of the wizard,
// or a message box of the wizard or of Regsvr32. The wizard starts Regsvr32
// hidden, so its message box may be hidden too.
HWND ForeignDialog() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM result) CALLBACK -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        const bool shown = IsWindowVisible(window) || _wcsicmp(Wide(WindowText(window)), L"RegSvr32") == 0;
        if (!shown || !IsDialog(window) || process == GetCurrentProcessId()) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND WaitForDialog(int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (HWND dialog = ForeignDialog()) return dialog;
    Sleep(100);
  }
  return nullptr;
}

void PressAndWait(HWND dialog, int button) {
  Press(dialog, button);
  for (int i = 0; i < 100 && IsWindow(dialog) && ForeignDialog() == dialog; ++i) Sleep(100);
}

// Presses OK on each message box that appears within `seconds`, printing it.
int AnswerMessages(int expected, int seconds) {
  int answered = 0;
  for (HWND box; answered < expected && (box = WaitForDialog(seconds)) != nullptr; ++answered) {
    std::printf("message [%s]: %s\n", ToUtf8(WindowText(box)).c_str(), ToUtf8(FirstStaticText(box)).c_str());
    std::fflush(stdout);
    PressAndWait(box, IDOK);
  }
  return answered;
}

void ChooseFile(HWND form, int button, const std::u16string& file) {
  PostMessageW(GetDlgItem(form, button), BM_CLICK, 0, 0);
  HWND dialog = WaitForDialog(120);
  if (!dialog || !GetDlgItem(dialog, cmb1)) return Expect(false, "an Open dialog after button " + std::to_string(button));
  std::printf("dialog [%s]: %s\n", ToUtf8(WindowText(dialog)).c_str(), ToUtf8(file).c_str());
  std::fflush(stdout);
  HWND name = GetDlgItem(dialog, edt1);
  if (!name) name = GetDlgItem(dialog, cmb13);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(file)));
  PressAndWait(dialog, IDOK);
}

// The released program's steps: step 1 for each library, then steps 2, 3, 4.
// Windows' registration tool answers with a message box; Wine's writes to
// its console, so none may come: whether a library was registered is for
// the caller to check.
void ReleasedSteps(int argc, wchar_t** argv) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
  if (!CreateProcessW(argv[2], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return Expect(false, "Wizard.exe starts");
  HWND form = nullptr;
  for (int i = 0; i < 3000 && !form; ++i) {  // a first start under emulation is slow
    form = FindWindowW(ids::kForm1Class, nullptr);
    if (!form) Sleep(100);
  }
  Expect(form != nullptr, "the wizard's window appears");
  if (form) {
    for (int i = 5; i < argc; ++i) {
      ChooseFile(form, ids::kCommand1, FromWide(argv[i], wcslen(argv[i])));
      AnswerMessages(1, 20);
    }
    ChooseFile(form, ids::kCommand2, FromWide(argv[3], wcslen(argv[3])));
    ChooseFile(form, ids::kCommand3, FromWide(argv[4], wcslen(argv[4])));
    PostMessageW(GetDlgItem(form, ids::kCommand4), BM_CLICK, 0, 0);
    Expect(AnswerMessages(1, 60) == 1, "step 4 answers with a message");
    PostMessageW(form, WM_CLOSE, 0, 0);
  }
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  Expect(ended, "the wizard ends when its window is closed");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"--steps" && argc >= 6) {
    ReleasedSteps(argc, argv);
    std::printf("%s\n", g_failures ? "FAILED" : "PASSED");
    return g_failures ? 1 : 0;
  }
  // --no-open-dialogs leaves out the Open dialog: Wine 8's 32-bit dialog
  // hangs under qemu-user while filling its folder list.
  if (argc > 2 || (argc == 2 && mode != L"--no-open-dialogs")) {
    std::fputs("usage: wizard_window_test [--no-open-dialogs]\n"
               "       wizard_window_test --steps WIZARD_EXE SERVER_EXE INCLUDE_ASP LIBRARY_DLL...\n",
               stderr);
    return 2;
  }
  const bool openDialogs = argc == 1;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::u16string root = FromWide(temp, wcslen(temp)) + u"wizard test";
  const std::u16string program = root + u"\\setup";
  CreateDirectoryW(Wide(root), nullptr);
  CreateDirectoryW(Wide(program), nullptr);
  {
    Harness harness(program);
    LayoutAndEnglish(harness, program);
    Languages(harness);
    Refusals(harness, program, root, openDialogs);
  }
  NativeFileSystem(root);
  std::printf("%s: %d failure(s)\n", g_failures ? "FAILED" : "PASSED", g_failures);
  return g_failures ? 1 : 0;
}
