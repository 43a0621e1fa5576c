#include "platform/win32/Win32HelpViewer.h"

#include "platform/help/HelpText.h"
#include "platform/ui/Windows.h"
#include "platform/win32/Win32DeviceContext.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

constexpr int kWidth = 480, kHeight = 400, kSmallestWidth = 240, kSmallestHeight = 160;
constexpr int kCloseId = 1;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

}  // namespace

Win32HelpViewer::~Win32HelpViewer() {
  if (window_) (::DestroyWindow)(window_);
  if (font_) (::DeleteObject)(font_);
}

std::wstring Win32HelpViewer::PlainText(const std::string& helpFile) {
  std::string out;
  for (const auto& block : help::ParseHelpText(helpFile).blocks) {
    switch (block.kind) {
      case help::HelpBlockKind::Title: out += block.text + "\r\n\r\n"; break;
      case help::HelpBlockKind::Section: out += "■ " + block.text + "\r\n\r\n"; break;
      case help::HelpBlockKind::Paragraph: out += block.text + "\r\n\r\n"; break;
      case help::HelpBlockKind::Bullet: out += "・ " + block.text + "\r\n"; break;
    }
  }
  return Wide(out);
}

void Win32HelpViewer::MakeWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32HelpViewer::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"PlumeHelpViewer";
  RegisterClassExW(&wc);
  RECT r{0, 0, kWidth, kHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  window_ = CreateWindowExW(0, wc.lpszClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  text_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
                          window_, nullptr, wc.hInstance, nullptr);
  close_ = CreateWindowExW(0, L"BUTTON", L"閉じる", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                           window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), wc.hInstance, nullptr);
  font_ = Win32DeviceContext::MakeFont(ui::FontSpec{"ＭＳ Ｐゴシック", 14});
  SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  Layout();
}

void Win32HelpViewer::Layout() {
  RECT r{};
  GetClientRect(window_, &r);
  const int w = static_cast<int>(r.right), h = static_cast<int>(r.bottom);
  MoveWindow(text_, 6, 6, w - 12, h - 48, TRUE);
  MoveWindow(close_, w - 96, h - 36, 90, 28, TRUE);
}

void Win32HelpViewer::ShowContents(const std::string& title, const std::string& text) {
  if (!window_) MakeWindow();
  SetWindowTextW(window_, Wide(title.empty() ? help::HelpCaption() : title).c_str());
  // The same file again keeps the reader's place; another file starts at its top.
  if (text != shownText_) {
    SetWindowTextW(text_, PlainText(text).c_str());
    shownText_ = text;
  }
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void Win32HelpViewer::ShowContentsBeside(const RECT& owner, const std::string& title, const std::string& text) {
  if (!window_) MakeWindow();
  // A window the user has open stays where it is; one that opens now comes up beside the
  // program's window, which it would otherwise cover.
  if (!IsWindowVisible(window_) || IsIconic(window_)) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const LONG extraW = frame.right - frame.left, extraH = frame.bottom - frame.top;
    if (const auto place = PlaceBeside(owner, kWidth + extraW, kHeight + extraH, kSmallestWidth + extraW,
                                       kSmallestHeight + extraH, ScreenRects()))
      MoveWindow(window_, static_cast<int>(place->left), static_cast<int>(place->top),
                 static_cast<int>(place->right - place->left), static_cast<int>(place->bottom - place->top), TRUE);
  }
  ShowContents(title, text);
}

void Win32HelpViewer::ReportMissingFile(HWND owner, const std::string& fileName) {
  MessageBoxA(owner, help::MissingHelpFileText(fileName).c_str(), help::HelpCaption().c_str(), MB_OK | MB_ICONWARNING);
}

void Win32HelpViewer::Close() {
  if (window_) ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK Win32HelpViewer::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* viewer = reinterpret_cast<Win32HelpViewer*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (viewer != nullptr) {
    switch (msg) {
      case WM_SIZE: viewer->Layout(); return 0;
      case WM_CLOSE: viewer->Close(); return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDCANCEL) {
          viewer->Close();
          return 0;
        }
        break;
      default: break;
    }
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

void InstallWin32HelpViewer() {
  static Win32HelpViewer viewer;
  help::SetHelpViewer(&viewer);
}

}  // namespace platform::win32
