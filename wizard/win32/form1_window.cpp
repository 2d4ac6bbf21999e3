#include "win32/form1_window.hpp"

#include <algorithm>
#include <vector>

#include "core/language_tables.hpp"
#include "core/window_layout.hpp"

namespace vantrel::wizard::win32 {
namespace {

using namespace layout;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

std::u16string ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return u".";
    if (length < buffer.size()) {
      std::u16string path = FromWide(buffer.data(), length);
      std::u16string folder = FolderOf(path, Separators::BackslashOnly);
      if (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
      return folder;
    }
    buffer.resize(buffer.size() * 2);
  }
}

Form1Window::Form1Window(HINSTANCE instance, RegistrationLauncher& launcher, FileSystem& files,
                         std::u16string programFolder)
    : instance_(instance),
      launcher_(launcher),
      files_(files),
      programFolder_(std::move(programFolder)) {}

Form1Window::~Form1Window() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

HWND Form1Window::Create() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Form1Window::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kForm1Class;
  RegisterClassExW(&windowClass);  // a second window reuses the registered class

  HDC screen = GetDC(nullptr);
  dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  HMENU menu = CreateMenu();
  for (std::size_t i = 0; i < kMenuEntries.size(); ++i) {
    const std::u16string caption(kMenuEntries[i].caption);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(kMenuEnglish + static_cast<int>(i)),
                Wide(caption));
  }

  RECT frame = {0, 0, Pixels(kClientWidth, dpiX_), Pixels(kClientHeight, dpiY_)};
  AdjustWindowRectEx(&frame, kWindowStyle, TRUE, 0);
  hwnd_ = CreateWindowExW(0, kForm1Class, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                          instance_, this);
  if (!hwnd_) return nullptr;
  // A long menu bar may wrap onto two rows: grow the window until the
  // client area has its full size.
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int missing = Pixels(kClientHeight, dpiY_) - (client.bottom - client.top);
  if (missing > 0) {
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top + missing, SWP_NOMOVE | SWP_NOZORDER);
  }

  CreateControls();
  dialogs_.SetOwner(hwnd_);
  // English is applied while the window loads, before it is first shown.
  wizard_ = std::make_unique<Wizard>(*this, dialogs_, launcher_, files_, programFolder_,
                                     PlatformRules::Windows());
  return hwnd_;
}

void Form1Window::CreateControls() {
  auto create = [&](const wchar_t* className, DWORD style, const TwipRect& frame,
                    const TwipRect& rect, int id, DWORD exStyle = 0) {
    CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style,
                    Pixels(frame.left + rect.left, dpiX_), Pixels(frame.top + rect.top, dpiY_),
                    Pixels(rect.width, dpiX_), Pixels(rect.height, dpiY_), hwnd_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  // Group boxes first, so the controls inside lie above them.
  for (int i = 0; i < 4; ++i)
    create(L"BUTTON", BS_GROUPBOX, {0, 0, 0, 0}, kFrames[i], kFrame1 + i);
  for (int i = 0; i < 4; ++i)
    create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kFrames[i], kCommand, kCommand1 + i);
  create(L"STATIC", SS_LEFT, kFrames[0], kLabel, kLabel5);
  create(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, kFrames[1], kTextBox, kText1, WS_EX_CLIENTEDGE);
  create(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, kFrames[2], kTextBox, kText2, WS_EX_CLIENTEDGE);
  create(L"STATIC", SS_LEFT, kFrames[3], kLabel, kLabel1);
}

void Form1Window::ShowTexts(const FormTexts& texts) {
  // Every frame, button, label and edit box takes the language's font; the
  // menu bar keeps the system's. GDI picks its substitute for a missing face.
  LOGFONTW face{};
  face.lfHeight = -MulDiv(kFontPoints, dpiY_, 72);
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = DEFAULT_CHARSET;
  face.lfQuality = DEFAULT_QUALITY;
  const std::size_t length = std::min<std::size_t>(texts.fontName.size(), LF_FACESIZE - 1);
  texts.fontName.copy(reinterpret_cast<char16_t*>(face.lfFaceName), length);
  HFONT font = CreateFontIndirectW(&face);
  for (int id : std::initializer_list<int>{kFrame1, kFrame2, kFrame3, kFrame4, kCommand1,
                                          kCommand2, kCommand3, kCommand4, kLabel1, kLabel5,
                                          kText1, kText2})
    SendMessageW(Child(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (font_) DeleteObject(font_);
  font_ = font;

  SetWindowTextW(hwnd_, Wide(texts.title));
  for (int i = 0; i < 4; ++i) {
    SetWindowTextW(Child(kFrame1 + i), Wide(texts.frameCaptions[static_cast<std::size_t>(i)]));
    SetWindowTextW(Child(kCommand1 + i), Wide(texts.commandCaptions[static_cast<std::size_t>(i)]));
  }
  SetWindowTextW(Child(kLabel1), Wide(texts.label1));
  SetWindowTextW(Child(kLabel5), Wide(texts.label5));
}

std::u16string Form1Window::ServerPathText() const { return WindowText(Child(kText1)); }
void Form1Window::SetServerPathText(const std::u16string& text) {
  SetWindowTextW(Child(kText1), Wide(text));
}
std::u16string Form1Window::IncludePathText() const { return WindowText(Child(kText2)); }
void Form1Window::SetIncludePathText(const std::u16string& text) {
  SetWindowTextW(Child(kText2), Wide(text));
}

void Form1Window::OnCommand(int id) {
  if (!wizard_) return;
  switch (id) {
    case kCommand1: wizard_->ChooseLibrary(); break;
    case kCommand2: wizard_->ChooseServer(); break;
    case kCommand3: wizard_->ChooseIncludeFile(); break;
    case kCommand4: wizard_->RewriteIncludeFile(); break;
    case kMenuEnglish:
      wizard_->Apply(Language::English);
      break;
    case kMenuSCHS:
      wizard_->Apply(Language::SimplifiedChinese);
      break;
    case kMenuTCHS:
      wizard_->Apply(Language::TraditionalChinese);
      break;
    case kMenuJapanese:
      wizard_->Apply(Language::Japanese);
      break;
    default: break;
  }
}

LRESULT CALLBACK Form1Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Form1Window*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) return self->Handle(message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Form1Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Buttons send BN_CLICKED (0); menu entries send 0 as well.
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      // Labels and frames on the window's face colour.
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DESTROY: {
      HWND window = hwnd_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace vantrel::wizard::win32
