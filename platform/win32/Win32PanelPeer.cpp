#include "platform/win32/Win32PanelPeer.h"

namespace platform::win32 {

namespace {

// One bevel ring of the given width, inset by inset pixels.
void Ring(HDC dc, RECT r, int inset, int width, ui::Bevel bevel) {
  if (bevel == ui::Bevel::None) return;
  const COLORREF light = 0xFFFFFF, dark = 0x808080;
  const COLORREF topLeft = bevel == ui::Bevel::Raised ? light : dark;
  const COLORREF bottomRight = bevel == ui::Bevel::Raised ? dark : light;
  for (int i = inset; i < inset + width; ++i) {
    const RECT top{r.left + i, r.top + i, r.right - i, r.top + i + 1};
    const RECT left{r.left + i, r.top + i, r.left + i + 1, r.bottom - i};
    const RECT bottom{r.left + i, r.bottom - i - 1, r.right - i, r.bottom - i};
    const RECT right{r.right - i - 1, r.top + i, r.right - i, r.bottom - i};
    for (auto [rect, color] : {std::pair{top, topLeft}, std::pair{left, topLeft}, std::pair{bottom, bottomRight},
                               std::pair{right, bottomRight}}) {
      HBRUSH b = (::CreateSolidBrush)(color);
      (::FillRect)(dc, &rect, b);
      (::DeleteObject)(b);
    }
  }
}

}  // namespace

Win32PanelPeer::Win32PanelPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent), handler) {}

void Win32PanelPeer::SetBevel(ui::Bevel outer, ui::Bevel inner, int width) {
  outer_ = outer;
  inner_ = inner;
  width_ = width;
  Invalidate();
}

bool Win32PanelPeer::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT r{};
    GetClientRect(hwnd_, &r);
    FillBackground(dc, r);
    Ring(dc, r, 0, width_, outer_);
    Ring(dc, r, outer_ == ui::Bevel::None ? 0 : width_, width_, inner_);
    result = 1;
    return true;
  }
  return ForwardMouse(msg, wParam, lParam);
}

}  // namespace platform::win32
