#include "platform/win32/Win32ImagePeer.h"

namespace platform::win32 {

Win32ImagePeer::Win32ImagePeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(nullptr, WS_CHILD | WS_VISIBLE, 0, parent), handler) {
  MarkDrawn();
}

void Win32ImagePeer::SetPicture(const ui::Image& picture) {
  picture_ = picture;
  Invalidate();
}

void Win32ImagePeer::SetStretch(bool stretch) {
  stretch_ = stretch;
  Invalidate();
}

bool Win32ImagePeer::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    result = 1;
    return true;
  }
  if (msg != WM_PAINT) return ForwardMouse(msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r{};
  GetClientRect(hwnd_, &r);
  FillBackground(dc, r);
  if (!picture_.Empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture_.width;
    info.bmiHeader.biHeight = -picture_.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int w = stretch_ ? static_cast<int>(r.right) : picture_.width;
    const int h = stretch_ ? static_cast<int>(r.bottom) : picture_.height;
    StretchDIBits(dc, 0, 0, w, h, 0, 0, picture_.width, picture_.height, picture_.pixels.data(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
  result = 0;
  return true;
}

}  // namespace platform::win32
