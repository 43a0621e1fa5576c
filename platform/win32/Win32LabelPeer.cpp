#include "platform/win32/Win32LabelPeer.h"

#include <cstdio>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

std::string ColorName(ui::Rgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return text;
}

Win32LabelPeer::Win32LabelPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(nullptr, WS_CHILD | WS_VISIBLE, 0, parent), handler) {
  MarkDrawn();
}

void Win32LabelPeer::SetAlignment(ui::Alignment a) {
  alignment_ = a;
  Invalidate();
}

void Win32LabelPeer::SetWordWrap(bool wrap) {
  wrap_ = wrap;
  Invalidate();
}

void Win32LabelPeer::MeasureText(const std::string& text, int& width, int& height) {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = (::SelectObject)(dc, FontHandle());
  const std::wstring w = Wide(text.empty() ? std::string(" ") : text);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  (::SelectObject)(dc, old);
  ReleaseDC(hwnd_, dc);
  width = text.empty() ? 0 : static_cast<int>(r.right);
  height = static_cast<int>(r.bottom);
}

std::string Win32LabelPeer::DumpFields() const { return "\ttext=" + Text() + "\tcolor=" + ColorName(Font().color); }

bool Win32LabelPeer::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    result = 1;
    return true;
  }
  if (msg != WM_PAINT) return ForwardMouse(msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r{};
  GetClientRect(hwnd_, &r);
  if (Opaque()) {
    FillBackground(dc, r);
  } else if (auto* parent = FromHwnd(GetParent(hwnd_))) {
    // Siblings clip each other, so a label without a background of its own shows its
    // parent's colour, not what lies beneath it.
    HBRUSH b = (::CreateSolidBrush)(parent->OnControlColor(dc) ? GetBkColor(dc) : 0xC0C0C0);
    (::FillRect)(dc, &r, b);
    (::DeleteObject)(b);
  }
  HGDIOBJ old = (::SelectObject)(dc, FontHandle());
  (::SetBkMode)(dc, TRANSPARENT);
  (::SetTextColor)(dc, IsWindowEnabled(hwnd_) ? Font().color : GetSysColor(COLOR_GRAYTEXT));
  UINT format = DT_NOPREFIX | DT_EXPANDTABS | (wrap_ ? DT_WORDBREAK : 0);
  if (alignment_ == ui::Alignment::Right) format |= DT_RIGHT;
  if (alignment_ == ui::Alignment::Center) format |= DT_CENTER;
  const std::wstring w = Wide(Text());
  DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, format);
  (::SelectObject)(dc, old);
  EndPaint(hwnd_, &ps);
  result = 0;
  return true;
}

}  // namespace platform::win32
