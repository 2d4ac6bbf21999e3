// The wizard's Win32 window Form1: four group boxes with their buttons,
// labels and edit boxes, and a menu bar of languages. Layout in twips,
// converted with the screen's DPI.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "core/wizard.hpp"
#include "win32/win32_services.hpp"

namespace vantrel::wizard::win32 {

// Control and menu identifiers (stable: the window test drives them).
enum ControlId : int {
  kCommand1 = 101, kCommand2, kCommand3, kCommand4,
  kFrame1 = 111, kFrame2, kFrame3, kFrame4,
  kLabel1 = 121, kLabel5 = 125,
  kText1 = 131, kText2 = 132,
  kMenuEnglish = 301, kMenuSCHS, kMenuTCHS, kMenuJapanese,
};

inline constexpr const wchar_t* kForm1Class = L"VantrelWizardForm1";

class Form1Window final : public Form {
 public:
  Form1Window(HINSTANCE instance, RegistrationLauncher& launcher, FileSystem& files,
              std::u16string programFolder);
  ~Form1Window() override;
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  // Creates the window, applies English, and returns it still hidden.
  HWND Create();
  HWND hwnd() const { return hwnd_; }
  Wizard& wizard() { return *wizard_; }

  void ShowTexts(const FormTexts& texts) override;
  std::u16string ServerPathText() const override;
  void SetServerPathText(const std::u16string& text) override;
  std::u16string IncludePathText() const override;
  void SetIncludePathText(const std::u16string& text) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void OnCommand(int id);
  HWND Child(int id) const { return GetDlgItem(hwnd_, id); }

  HINSTANCE instance_;
  RegistrationLauncher& launcher_;
  FileSystem& files_;
  std::u16string programFolder_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int dpiX_ = 96;
  int dpiY_ = 96;
  Win32Dialogs dialogs_;
  std::unique_ptr<Wizard> wizard_;
};

// The folder the running program lies in, without a final backslash
// (except for a drive's root).
std::u16string ProgramFolder();

}  // namespace vantrel::wizard::win32
