#include "platform/win32/Win32FormPeer.h"

#include "platform/win32/Win32DeviceContext.h"
#include "platform/win32/Win32Diagnostics.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

Win32FormPeer::Win32FormPeer(ui::PeerHandler* handler)
    : Win32Control(
          Make(nullptr, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, nullptr),
          handler) {}

Win32FormPeer::~Win32FormPeer() {
  if (icon_) DestroyIcon(icon_);
}

DWORD Win32FormPeer::Style() const { return static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)); }

void Win32FormPeer::SetBounds(int left, int top, int width, int height) {
  applying_ = true;
  MoveWindow(hwnd_, left, top, width, height, TRUE);
  applying_ = false;
}

void Win32FormPeer::SetVisible(bool visible) { ShowWindow(visible, visible); }

void Win32FormPeer::SetBorder(ui::BorderStyle style, ui::BorderIcons icons) {
  DWORD s = WS_CAPTION | WS_CLIPCHILDREN | (Style() & WS_VISIBLE);
  DWORD ex = 0;
  switch (style) {
    case ui::BorderStyle::None: s = WS_POPUP | WS_CLIPCHILDREN | (Style() & WS_VISIBLE); break;
    case ui::BorderStyle::Sizeable: s |= WS_THICKFRAME; break;
    case ui::BorderStyle::Dialog: ex |= WS_EX_DLGMODALFRAME; break;
    case ui::BorderStyle::ToolWindow: ex |= WS_EX_TOOLWINDOW; break;
    case ui::BorderStyle::SizeToolWin:
      ex |= WS_EX_TOOLWINDOW;
      s |= WS_THICKFRAME;
      break;
    case ui::BorderStyle::Single: break;
  }
  if (style != ui::BorderStyle::None && icons.systemMenu) {
    s |= WS_SYSMENU;
    if (icons.minimize && style != ui::BorderStyle::Dialog) s |= WS_MINIMIZEBOX;
    if (icons.maximize && style != ui::BorderStyle::Dialog) s |= WS_MAXIMIZEBOX;
  }
  SetWindowLongPtrW(hwnd_, GWL_STYLE, s);
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32FormPeer::FrameMargins(int& left, int& top, int& right, int& bottom) {
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, Style(), FALSE, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  left = static_cast<int>(-r.left);
  top = static_cast<int>(-r.top);
  right = static_cast<int>(r.right - 100);
  bottom = static_cast<int>(r.bottom - 100);
}

void Win32FormPeer::SetClientSize(int width, int height) {
  int l = 0, t = 0, r = 0, b = 0;
  FrameMargins(l, t, r, b);
  applying_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, width + l + r, height + t + b, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  applying_ = false;
}

void Win32FormPeer::SetIcon(const ui::Image& icon) {
  if (icon.Empty()) return;
  HDC screen = GetDC(nullptr);
  HBITMAP color = Win32DeviceContext::MakeBitmap(screen, icon);
  ReleaseDC(nullptr, screen);
  HBITMAP mask = CreateBitmap(icon.width, icon.height, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, color};
  HICON made = CreateIconIndirect(&info);
  (::DeleteObject)(color);
  (::DeleteObject)(mask);
  if (!made) return;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(made));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(made));
  if (icon_) DestroyIcon(icon_);
  icon_ = made;
}

void Win32FormPeer::ShowWindow(bool visible, bool activate) {
  ::ShowWindow(hwnd_, !visible ? SW_HIDE : activate ? SW_SHOW : SW_SHOWNA);
  if (visible) UpdateWindow(hwnd_);
}

void Win32FormPeer::BringToFront() {
  SetForegroundWindow(hwnd_);
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32FormPeer::SetWindowState(int state) {
  if (!IsWindowVisible(hwnd_)) return;
  ::ShowWindow(hwnd_, state == 1 ? SW_MINIMIZE : state == 2 ? SW_MAXIMIZE : SW_RESTORE);
}

std::string Win32FormPeer::DumpFields() const { return "\ttitle=" + Text(); }

RECT Win32FormPeer::DumpGeometry() const {
  // The client area on the screen, as the other backend reports its windows.
  RECT r{};
  GetClientRect(hwnd_, &r);
  MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Win32FormPeer::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_CLOSE:
      // The framework decides: it hides the window or ends the program.
      Notify([](ui::PeerHandler& h) { h.PeerCloseRequest(); });
      result = 0;
      return true;
    case WM_WINDOWPOSCHANGED:
      if (!applying_) {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        Notify([&](ui::PeerHandler& h) {
          h.PeerMoved(static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                      static_cast<int>(r.bottom - r.top));
        });
      }
      return false;
    case WM_PAINT: NoteFirstPaint(); return false;
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(hwnd_, &r);
      FillBackground(reinterpret_cast<HDC>(wParam), r);
      result = 1;
      return true;
    }
    default: (void)lParam; return ForwardMouse(msg, wParam, lParam);
  }
}

}  // namespace platform::win32
