// Drives Wizard.exe's window under Wine as a user would: clicks the buttons
// (BM_CLICK), picks the language menu entries, answers the Open dialogs and
// reads the message boxes from a timer that runs inside their modal loops.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/native_file_system.hpp"
#include "win32/form1_window.hpp"

namespace {

using vantrel::wizard::win32::FromWide;
using vantrel::wizard::win32::Wide;
using vantrel::wizard::win32::WindowText;
namespace ids = vantrel::wizard::win32;

int g_failures = 0;

std::string Utf8(const std::u16string& text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), nullptr,
                                       0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

void Fail(const std::string& what) {
  ++g_failures;
  std::printf("FAIL %s\n", what.c_str());
  std::fflush(stdout);
}

void ExpectEqual(const std::u16string& actual, const std::u16string& expected,
                 const std::string& what) {
  if (actual != expected)
    Fail(what + ": got [" + Utf8(actual) + "], expected [" + Utf8(expected) + "]");
}

// Marks progress in the output, so that a run that hangs shows where.
void Part(const char* name) {
  std::printf("== %s\n", name);
  std::fflush(stdout);
}

void ExpectTrue(bool condition, const std::string& what) {
  if (!condition) Fail(what);
}

class RecordingLauncher final : public vantrel::wizard::RegistrationLauncher {
 public:
  std::optional<std::u16string> Start(const std::u16string& parameter) override {
    started.push_back(parameter);
    return std::nullopt;
  }
  std::deque<std::u16string> started;
};

// --- answering modal windows ----------------------------------------------------

struct SeenDialog {
  std::u16string title, folder, filter;
  bool seen = false;
};
struct SeenMessage {
  std::u16string title, text;
  bool seen = false;
};

// Each answer handles one modal window of the thread, in order.
std::deque<std::function<void(HWND)>> g_answers;
std::set<HWND> g_handled;

bool IsOpenDialog(HWND window) { return GetDlgItem(window, cmb1) != nullptr; }

HWND FindModal() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) CALLBACK -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (IsWindowVisible(window) && std::wstring(className) == L"#32770" &&
            !g_handled.count(window)) {
          *reinterpret_cast<HWND*>(result) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK AnswerModals(HWND, UINT, UINT_PTR, DWORD) {
  HWND modal = FindModal();
  if (!modal) return;
  g_handled.insert(modal);
  if (g_answers.empty()) {
    Fail("unexpected window [" + Utf8(WindowText(modal)) + "]");
    PostMessageW(modal, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(modal, WM_COMMAND, IDOK, 0);
    return;
  }
  auto answer = std::move(g_answers.front());
  g_answers.pop_front();
  answer(modal);
}

std::u16string MessageText(HWND box) {
  std::u16string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM result) CALLBACK -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (std::wstring(className) == L"Static" && (style & SS_TYPEMASK) != SS_ICON) {
          std::u16string own = WindowText(child);
          if (!own.empty()) {
            *reinterpret_cast<std::u16string*>(result) = own;
            return FALSE;
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

// Expects a message box next; records it and presses OK.
void ExpectMessage(SeenMessage& seen) {
  g_answers.push_back([&seen](HWND box) {
    if (IsOpenDialog(box)) Fail("an Open dialog where a message box was expected");
    seen = {WindowText(box), MessageText(box), true};
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  });
}

// Expects an Open dialog next; records it, then chooses `file` or cancels.
void ExpectOpenDialog(SeenDialog& seen, const std::u16string& file) {
  g_answers.push_back([&seen, file](HWND dialog) {
    if (!IsOpenDialog(dialog)) {
      Fail("a message box [" + Utf8(MessageText(dialog)) + "] where an Open dialog was expected");
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return;
    }
    seen.seen = true;
    seen.title = WindowText(dialog);
    wchar_t folder[MAX_PATH] = {};
    if (SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder)) > 0)
      seen.folder = FromWide(folder, wcslen(folder));
    HWND types = GetDlgItem(dialog, cmb1);
    const LRESULT index = SendMessageW(types, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
      wchar_t filter[256] = {};
      SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(filter));
      seen.filter = FromWide(filter, wcslen(filter));
    }
    if (file.empty()) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return;
    }
    HWND name = GetDlgItem(dialog, edt1);
    if (!name) name = GetDlgItem(dialog, cmb13);
    SetWindowTextW(name, Wide(file));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
}

// --- the window under test --------------------------------------------------------

class Harness {
 public:
  Harness(const std::u16string& programFolder)
      : form_(GetModuleHandleW(nullptr), launcher, files_, programFolder) {
    window = form_.Create();
    if (!window) std::printf("window not created: error %lu\n", GetLastError());
    ShowWindow(window, SW_SHOW);
    SetTimer(window, 1, 30, AnswerModals);
  }

  void Click(int id, const std::string& step) {
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
    if (!g_answers.empty()) {
      Fail(step + ": " + std::to_string(g_answers.size()) + " expected window(s) never appeared");
      g_answers.clear();
    }
  }
  void ChooseMenu(int id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  std::u16string Text(int id) const { return WindowText(GetDlgItem(window, id)); }
  void SetText(int id, const std::u16string& text) {
    SetWindowTextW(GetDlgItem(window, id), Wide(text));
  }
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

std::u16string TempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  std::u16string folder = FromWide(base, wcslen(base)) + u"wizard test " +
                          [] {
                            const std::string n = std::to_string(GetCurrentProcessId());
                            return std::u16string(n.begin(), n.end());
                          }();
  CreateDirectoryW(Wide(folder), nullptr);
  return folder;
}

void MakeFolder(const std::u16string& path) { CreateDirectoryW(Wide(path), nullptr); }

void WriteFileBytes(const std::u16string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFileBytes(const std::u16string& path) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(65536, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

// --- the scenarios --------------------------------------------------------------

void WindowStartsInEnglish(Harness& h, const std::u16string& program) {
  ExpectEqual(WindowText(h.window), u"Vantrel Setting Wizard", "window caption");
  ExpectEqual(h.Text(ids::kFrame1), u"Step 1", "Frame1");
  ExpectEqual(h.Text(ids::kCommand1), u"Choose Vantrel.dll", "Command1");
  ExpectEqual(h.Text(ids::kLabel1),
              u"Then publish " + program + u"\\Web as a sub directory on your website.", "Label1");
  ExpectEqual(h.Text(ids::kLabel5),
              u"Make sure your have installed the Serv-U FTP before install the Vantrel!", "Label5");
  ExpectEqual(h.Text(ids::kText1), u"", "Text1 starts empty");
  ExpectEqual(h.FontFace(ids::kCommand2), u"Comic Sans MS", "English font");

  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client{};
  GetClientRect(h.window, &client);
  ExpectTrue(client.right == MulDiv(7815, dpiX, 1440), "client width is 7815 twips");
  ExpectTrue(client.bottom == MulDiv(3735, dpiY, 1440), "client height is 3735 twips");
  RECT text2{};
  GetWindowRect(GetDlgItem(h.window, ids::kText2), &text2);
  MapWindowPoints(nullptr, h.window, reinterpret_cast<POINT*>(&text2), 2);
  ExpectTrue(text2.left == MulDiv(2760, dpiX, 1440) && text2.top == MulDiv(1920 + 240, dpiY, 1440),
             "Text2 lies at (2760, 2160) twips");
}

void MenuCaptionsNeverChange(Harness& h) {
  for (int language : {ids::kMenuJapanese, ids::kMenuTCHS, ids::kMenuSCHS, ids::kMenuEnglish}) {
    h.ChooseMenu(language);
    ExpectEqual(h.MenuCaption(0), u"English", "menu entry 1");
    ExpectEqual(h.MenuCaption(1), u"简体中文", "menu entry 2");
    ExpectEqual(h.MenuCaption(2), u"繁體中文", "menu entry 3");
    ExpectEqual(h.MenuCaption(3), u"日本語", "menu entry 4");
  }
}

void StepOneCancelledAndChosen(Harness& h, const std::u16string& program,
                               const std::u16string& root) {
  SeenDialog dialog;
  SeenMessage message;
  ExpectOpenDialog(dialog, u"");
  ExpectMessage(message);
  h.Click(ids::kCommand1, "step 1 cancelled");
  ExpectEqual(dialog.title, u"Choose Vantrel.dll", "step 1 dialog title");
  ExpectEqual(dialog.folder, program, "step 1 dialog folder");
  ExpectEqual(dialog.filter, u"ActiveX Dll File(*.dll)", "step 1 dialog filter");
  ExpectEqual(message.title, u"Vantrel Setting Wizard", "library-not-found title");
  ExpectEqual(message.text, u"The Vantrel.dll has not found!", "library-not-found text");
  ExpectTrue(h.launcher.started.empty(), "nothing registered after a cancelled dialog");

  const std::u16string library = root + u"\\Program Files x\\Vantrel.dll";
  MakeFolder(root + u"\\Program Files x");
  WriteFileBytes(library, "MZ");
  SeenDialog chosen;
  ExpectOpenDialog(chosen, library);
  h.Click(ids::kCommand1, "step 1 chosen");
  ExpectTrue(h.launcher.started.size() == 1, "the registration tool started once");
  if (!h.launcher.started.empty())
    ExpectEqual(h.launcher.started.front(), u"\"" + library + u"\"", "quoted library path");
  h.launcher.started.clear();
}

void StepsTwoAndThreeFixTheNames(Harness& h, const std::u16string& program,
                                 const std::u16string& root) {
  MakeFolder(root + u"\\ftp");
  WriteFileBytes(root + u"\\ftp\\other.exe", "MZ");
  SeenDialog server;
  ExpectOpenDialog(server, root + u"\\ftp\\other.exe");
  h.Click(ids::kCommand2, "step 2");
  ExpectEqual(server.title, u"Choose ServUDaemon.exe", "step 2 dialog title");
  ExpectEqual(server.filter, u"Execute File(*.exe)", "step 2 dialog filter");
  ExpectEqual(h.Text(ids::kText1), root + u"\\ftp\\ServUDaemon.exe", "Text1 after step 2");

  SeenDialog include;
  ExpectOpenDialog(include, u"");
  h.Click(ids::kCommand3, "step 3 cancelled");
  ExpectEqual(include.folder, program + u"\\Web", "step 3 dialog folder");
  ExpectEqual(include.filter, u"Active Server Page File(*.asp)", "step 3 dialog filter");
  ExpectEqual(h.Text(ids::kText2), u"ServUPath.asp", "Text2 after a cancelled step 3");
}

void LanguageSwitchKeepsBoxesAndSpeaksJapanese(Harness& h) {
  const std::u16string text1 = h.Text(ids::kText1);
  const std::u16string text2 = h.Text(ids::kText2);
  h.ChooseMenu(ids::kMenuJapanese);
  ExpectEqual(WindowText(h.window), u"Vantrel 設置ウィザード", "Japanese caption");
  ExpectEqual(h.Text(ids::kFrame2), u"ステップ二", "Japanese Frame2");
  ExpectEqual(h.Text(ids::kCommand1), u"Vantrel.dll選択", "Japanese Command1");
  ExpectEqual(h.FontFace(ids::kLabel1), u"PGothic", "Japanese font");
  ExpectEqual(h.Text(ids::kText1), text1, "Text1 kept across the switch");
  ExpectEqual(h.Text(ids::kText2), text2, "Text2 kept across the switch");

  // The server program does not exist (only other.exe was made).
  SeenMessage message;
  ExpectMessage(message);
  h.Click(ids::kCommand4, "step 4 in Japanese");
  ExpectEqual(message.title, u"Vantrel 設置ウィザード", "Japanese message title");
  ExpectEqual(message.text, u"應用プログラムServUDaemon.exe見つかりません！",
              "Japanese server-not-found");

  h.ChooseMenu(ids::kMenuSCHS);
  ExpectEqual(h.FontFace(ids::kText2), u"宋体", "Chinese font");
  h.ChooseMenu(ids::kMenuEnglish);
  ExpectEqual(WindowText(h.window), u"Vantrel Setting Wizard", "English again");
}

void StepFourWritesAndReports(Harness& h, const std::u16string& root) {
  MakeFolder(root + u"\\Serv-U");
  WriteFileBytes(root + u"\\Serv-U\\ServUDaemon.exe", "MZ");
  const std::u16string include = root + u"\\ServUPath.asp";
  WriteFileBytes(include, "<%const ServUPath=\"old\"%>\r\nsecond old line\r\n");
  h.SetText(ids::kText1, root + u"\\Serv-U\\ServUDaemon.exe");  // typed in
  h.SetText(ids::kText2, include);
  SeenMessage done;
  ExpectMessage(done);
  h.Click(ids::kCommand4, "step 4 writes");
  ExpectEqual(done.text, u"Rewrite the ServUPath.asp successful! ", "rewrite-done text");
  ExpectTrue(ReadFileBytes(include) ==
                 "<%const ServUPath=\"" +
                     Utf8(root) /* the test folder name is ASCII */ + "\\Serv-U\\\"%>\r\n",
             "include file holds exactly the one line: [" + ReadFileBytes(include) + "]");

  h.SetText(ids::kText1, root);  // a folder passes the existence test
  const std::u16string missing = root + u"\\no such folder\\ServUPath.asp";
  h.SetText(ids::kText2, missing);
  SeenMessage failed;
  ExpectMessage(failed);
  h.Click(ids::kCommand4, "step 4 failed write");
  ExpectEqual(failed.title, u"Vantrel Setting Wizard", "failed-write title");
  ExpectTrue(failed.text.rfind(u"Cannot write " + missing, 0) == 0,
             "failed-write text names the file: [" + Utf8(failed.text) + "]");
  ExpectEqual(h.Text(ids::kText2), missing, "Text2 unchanged after a failed write");
}

// The Windows file system behind the steps: the existence answers, the
// ANSI code page and the replacement of a file.
void NativeFileSystemOnWindows(const std::u16string& root) {
  vantrel::wizard::NativeFileSystem files;
  using vantrel::wizard::ProbeResult;
  ExpectTrue(files.Probe(root) == ProbeResult::Found, "a folder answers the query");
  ExpectTrue(files.Probe(root + u"\\none.exe") == ProbeResult::FileNotFound,
             "a missing file is not found");
  ExpectTrue(files.Probe(root + u"\\no folder\\none.exe") == ProbeResult::PathNotFound,
             "a missing folder is a missing path");
  ExpectTrue(files.Probe(root + u"\\a*b") == ProbeResult::OtherFailure,
             "a malformed name is another failure (and so counts as existing)");

  if (GetACP() == 1252) {
    const auto accented = files.ToAnsi(u"C:\\caf\u00E9\\");
    ExpectTrue(accented.bytes == std::optional<std::string>("C:\\caf\xE9\\"),
               "code page 1252 holds the accented letter in one byte");
    const auto chinese = files.ToAnsi(u"C:\\\u4E2D\\");
    ExpectTrue(!chinese.bytes && !chinese.error.empty(),
               "code page 1252 refuses a Chinese folder instead of writing '?'");
  } else {
    std::printf("note: code page %u, the code page 1252 checks were skipped\n", GetACP());
  }

  const std::u16string file = root + u"\\replace.asp";
  WriteFileBytes(file, std::string(3000, 'x'));
  ExpectTrue(!files.ReplaceContents(file, "new\r\n"), "replacing an existing file succeeds");
  ExpectTrue(ReadFileBytes(file) == "new\r\n", "the replaced file holds only the new bytes");
  WIN32_FIND_DATAW found{};
  int leftovers = 0;
  HANDLE search = FindFirstFileW(Wide(root + u"\\vtw*"), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do ++leftovers;
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  ExpectTrue(leftovers == 0, "no temporary file is left behind");
}

// The real launcher: Regsvr32.exe through the shell, hidden, on a quoted path.
void ShellLauncherRunsTheRegistrationTool(const std::u16string& markerLibrary,
                                          const std::u16string& root) {
  const std::u16string folder = root + u"\\lib folder";
  MakeFolder(folder);
  const std::u16string library = folder + u"\\marker.dll";
  if (!CopyFileW(Wide(markerLibrary), Wide(library), FALSE)) {
    Fail("cannot copy the marker library " + Utf8(markerLibrary));
    return;
  }
  vantrel::wizard::win32::ShellRegsvrLauncher launcher;
  ExpectTrue(!launcher.Start(u"\"" + library + u"\""), "the launcher reports no failure");
  const std::u16string marker = library + u".registered";
  // A process start takes seconds under emulated 32-bit Wine: wait up to 3 minutes.
  for (int i = 0; i < 1800 && GetFileAttributesW(Wide(marker)) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(100);
  ExpectTrue(GetFileAttributesW(Wide(marker)) != INVALID_FILE_ATTRIBUTES,
             "Regsvr32.exe registered the library named by the quoted path");
}

// Wizard.exe itself: it starts in English with its menu, and closes cleanly.
void ProgramStartsAndCloses(const std::u16string& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::u16string commandLine = u"\"" + program + u"\"";
  if (!CreateProcessW(Wide(program), reinterpret_cast<wchar_t*>(commandLine.data()), nullptr,
                      nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    Fail("cannot start " + Utf8(program));
    return;
  }
  WaitForInputIdle(process.hProcess, 10000);
  HWND window = nullptr;
  for (int i = 0; i < 1800 && !window; ++i) {  // 3 minutes, as for the marker above
    window = FindWindowW(ids::kForm1Class, L"Vantrel Setting Wizard");
    if (!window) Sleep(100);
  }
  ExpectTrue(window != nullptr, "Wizard.exe shows the English window");
  if (window) {
    ExpectEqual(WindowText(GetDlgItem(window, ids::kCommand4)), u"Rewrite ServUPath.asp",
                "Wizard.exe's Command4");
    ExpectEqual(WindowText(GetDlgItem(window, ids::kLabel1)).substr(0, 13), u"Then publish ",
                "Wizard.exe's Label1");
    ExpectTrue(IsWindowVisible(window) != FALSE, "Wizard.exe's window is visible");
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    Fail("Wizard.exe did not end after its window closed");
    TerminateProcess(process.hProcess, 1);
  } else {
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    ExpectTrue(code == 0, "Wizard.exe ends with exit code 0");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// Wizard.exe carries the version resource of the release (1.0.0.0).
void ProgramHasItsVersion(const std::u16string& program) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(Wide(program), &handle);
  std::vector<BYTE> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ExpectTrue(size > 0 && GetFileVersionInfoW(Wide(program), 0, size, data.data()) &&
                 VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) &&
                 info->dwFileVersionMS == MAKELONG(0, 1) && info->dwFileVersionLS == 0,
             "Wizard.exe carries the version 1.0.0.0");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // --no-open-dialogs leaves out the steps that open the file dialog: Wine 8's
  // 32-bit dialog hangs under qemu-user while filling its folder list.
  const bool openDialogs = !(argc == 4 && std::wstring(argv[3]) == L"--no-open-dialogs");
  if (argc != 3 && openDialogs) {
    std::fputs("usage: wizard_window_test WIZARD_EXE MARKER_DLL [--no-open-dialogs]\n", stderr);
    return 2;
  }
  const std::u16string wizardProgram = FromWide(argv[1], wcslen(argv[1]));
  const std::u16string markerLibrary = FromWide(argv[2], wcslen(argv[2]));
  const std::u16string root = TempFolder();
  const std::u16string program = root + u"\\setup";
  MakeFolder(program);
  MakeFolder(program + u"\\Web");
  {
    Harness harness(program);
    Part("WindowStartsInEnglish");
    WindowStartsInEnglish(harness, program);
    Part("MenuCaptionsNeverChange");
    MenuCaptionsNeverChange(harness);
    if (openDialogs) {
      Part("StepOneCancelledAndChosen");
      StepOneCancelledAndChosen(harness, program, root);
      Part("StepsTwoAndThreeFixTheNames");
      StepsTwoAndThreeFixTheNames(harness, program, root);
    }
    Part("LanguageSwitchKeepsBoxesAndSpeaksJapanese");
    LanguageSwitchKeepsBoxesAndSpeaksJapanese(harness);
    Part("StepFourWritesAndReports");
    StepFourWritesAndReports(harness, root);
  }
  Part("NativeFileSystemOnWindows");
  NativeFileSystemOnWindows(root);
  Part("ShellLauncherRunsTheRegistrationTool");
  ShellLauncherRunsTheRegistrationTool(markerLibrary, root);
  Part("ProgramStartsAndCloses");
  ProgramStartsAndCloses(wizardProgram);
  Part("ProgramHasItsVersion");
  ProgramHasItsVersion(wizardProgram);
  std::printf("%s: %d failure(s)\n", g_failures ? "FAILED" : "PASSED", g_failures);
  return g_failures ? 1 : 0;
}
