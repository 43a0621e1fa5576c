#include "platform/win32/Win32CustomPeer.h"

#include "platform/gdi/Gdi.h"
#include "platform/win32/Win32DeviceContext.h"

namespace platform::win32 {

Win32CustomPeer::Win32CustomPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(nullptr, WS_CHILD | WS_VISIBLE, 0, parent), handler) {
  MarkDrawn();
}

void Win32CustomPeer::Paint() {
  PAINTSTRUCT ps;
  HDC window = BeginPaint(hwnd_, &ps);
  RECT r{};
  GetClientRect(hwnd_, &r);
  HDC buffer = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(window, static_cast<int>(r.right), static_cast<int>(r.bottom));
  HGDIOBJ old = (::SelectObject)(buffer, bitmap);
  // Under the drawing, the parent's face, as a control without a background of its own shows.
  COLORREF face = 0xC0C0C0;
  if (auto* parent = FromHwnd(GetParent(hwnd_)); parent && parent->OnControlColor(buffer)) face = GetBkColor(buffer);
  HBRUSH b = (::CreateSolidBrush)(face);
  (::FillRect)(buffer, &r, b);
  (::DeleteObject)(b);

  POINT origin{0, 0};
  MapWindowPoints(hwnd_, GetAncestor(hwnd_, GA_ROOT), &origin, 1);
  Win32DeviceContext device(buffer, origin);
  HDC dc = gdi::CreateDeviceContext(&device, Font());
  Notify([dc](ui::PeerHandler& h) { h.PeerPaint(dc); });
  gdi::ReleaseDeviceContext(dc);

  BitBlt(window, 0, 0, static_cast<int>(r.right), static_cast<int>(r.bottom), buffer, 0, 0, SRCCOPY);
  (::SelectObject)(buffer, old);
  (::DeleteObject)(bitmap);
  DeleteDC(buffer);
  EndPaint(hwnd_, &ps);
}

bool Win32CustomPeer::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    default: return ForwardMouse(msg, wParam, lParam);
  }
}

}  // namespace platform::win32
