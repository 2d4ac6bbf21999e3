#include "win32/win32_services.hpp"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

namespace vantrel::wizard::win32 {

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  return FromWide(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

std::u16string Win32Dialogs::ChooseFile(const DialogRequest& request) {
  // The filter travels as pairs of NUL-ended strings, closed by one more NUL.
  std::u16string filter = request.filterDescription;
  filter += u'\0';
  filter += request.filterPattern;
  filter += u'\0';
  filter += u'\0';

  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = Wide(filter);
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = Wide(request.initialFolder);
  dialog.lpstrTitle = Wide(request.title);
  // The current folder stays put, so a bare name in a text box keeps its meaning.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return {};
  return FromWide(file.data(), wcslen(file.data()));
}

void Win32Dialogs::ShowMessage(const std::u16string& title, const std::u16string& text) {
  MessageBoxW(owner_, Wide(text), Wide(title), MB_OK);
}

std::optional<std::u16string> ShellRegsvrLauncher::Start(const std::u16string& parameter) {
  ShellExecuteW(owner_, L"open", L"Regsvr32.exe", Wide(parameter), nullptr, SW_HIDE);
  return std::nullopt;
}

}  // namespace vantrel::wizard::win32
