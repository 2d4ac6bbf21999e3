// Saves a picture of Wizard.exe's window in each language as a BMP (for
// scripts/screenshots.sh, run in a Wine virtual desktop so that the window
// frame and caption are drawn too).
// Usage: wizard_screenshots OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/native_file_system.hpp"
#include "win32/form1_window.hpp"

namespace {

void Settle(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

bool SaveWindow(HWND window, const std::wstring& path) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);

  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + imageSize;
  bool ok = false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ok = WriteFile(file, &header, sizeof header, &written, nullptr) &&
         WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         WriteFile(file, bits, imageSize, &written, nullptr);
    CloseHandle(file);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: wizard_screenshots OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  const std::wstring output = argv[1];
  vantrel::wizard::win32::ShellRegsvrLauncher launcher;
  vantrel::wizard::NativeFileSystem files;
  vantrel::wizard::win32::Form1Window form(GetModuleHandleW(nullptr), launcher, files,
                                           u"C:\\Vantrel");
  HWND window = form.Create();
  if (!window) return 1;
  form.SetServerPathText(u"C:\\Program Files\\Serv-U\\ServUDaemon.exe");
  form.SetIncludePathText(u"C:\\Vantrel\\Web\\ServUPath.asp");
  SetWindowPos(window, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  const struct {
    int menu;
    const wchar_t* name;
  } languages[] = {{vantrel::wizard::win32::kMenuEnglish, L"English"},
                   {vantrel::wizard::win32::kMenuSCHS, L"SCHS"},
                   {vantrel::wizard::win32::kMenuTCHS, L"TCHS"},
                   {vantrel::wizard::win32::kMenuJapanese, L"Japanese"}};
  for (const auto& language : languages) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(language.menu, 0), 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Settle(500);
    if (!SaveWindow(window, output + L"\\win32-" + language.name + L".bmp")) return 1;
  }
  return 0;
}
