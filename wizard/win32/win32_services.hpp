// The Win32 realisations of the Open dialog, the message boxes and the
// registration launcher.
#pragma once

#include <windows.h>

#include <string>

#include "core/services.hpp"

namespace vantrel::wizard::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
std::u16string WindowText(HWND window);

// The common Open dialog and plain OK message boxes, owned by one window.
class Win32Dialogs final : public Dialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::u16string ChooseFile(const DialogRequest& request) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;

 private:
  HWND owner_ = nullptr;
};

// Starts Regsvr32.exe through the shell's "open" operation, hidden, without
// waiting; the tool reports success or failure itself.
class ShellRegsvrLauncher final : public RegistrationLauncher {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<std::u16string> Start(const std::u16string& parameter) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace vantrel::wizard::win32
