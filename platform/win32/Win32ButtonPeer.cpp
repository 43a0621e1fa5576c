#include "platform/win32/Win32ButtonPeer.h"

#include <algorithm>

#include "platform/win32/Win32LabelPeer.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2) {
  HPEN pen = (::CreatePen)(PS_SOLID, 1, color);
  HGDIOBJ old = (::SelectObject)(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  (::SelectObject)(dc, old);
  (::DeleteObject)(pen);
}

}  // namespace

void DrawClassicBevel(HDC dc, const RECT& rc, bool pressed) {
  const int l = static_cast<int>(rc.left), t = static_cast<int>(rc.top);
  const int r = static_cast<int>(rc.right) - 1, b = static_cast<int>(rc.bottom) - 1;
  const COLORREF white = 0xFFFFFF, black = 0x000000, shadow = 0x808080;
  if (pressed) {
    Line(dc, black, l, b, l, t);
    Line(dc, black, l, t, r, t);
    Line(dc, shadow, l + 1, b - 1, l + 1, t + 1);
    Line(dc, shadow, l + 1, t + 1, r - 1, t + 1);
    Line(dc, white, l, b, r, b);
    Line(dc, white, r, b, r, t - 1);
    return;
  }
  Line(dc, white, l, b - 1, l, t);
  Line(dc, white, l, t, r, t);
  Line(dc, black, l, b, r, b);
  Line(dc, black, r, b, r, t - 1);
  Line(dc, shadow, l + 1, b - 1, r - 1, b - 1);
  Line(dc, shadow, r - 1, b - 1, r - 1, t);
}

Win32ButtonPeer::Win32ButtonPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, parent), handler) {}

void Win32ButtonPeer::SetGlyph(const ui::Image& glyph, int numGlyphs) {
  glyph_ = glyph;
  numGlyphs_ = std::max(1, numGlyphs);
  Invalidate();
}

void Win32ButtonPeer::SetLayout(ui::GlyphLayout layout, int margin, int spacing) {
  layout_ = layout;
  margin_ = margin;
  spacing_ = spacing;
  Invalidate();
}

bool Win32ButtonPeer::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Notify([](ui::PeerHandler& h) { h.PeerClick(); });
  return true;
}

void Win32ButtonPeer::DrawGlyph(HDC dc, int index, int x, int y) const {
  const int w = glyph_.width / numGlyphs_, h = glyph_.height;
  const std::uint32_t clear = glyph_.pixels[static_cast<std::size_t>(h - 1) * glyph_.width];
  const ui::Rgb face = Background();
  const std::uint32_t faceArgb = 0xFF000000u | (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
  ui::Image part{w, h, {}};
  part.pixels.reserve(static_cast<std::size_t>(w) * h);
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      const std::uint32_t p = glyph_.pixels[static_cast<std::size_t>(row) * glyph_.width + index * w + col];
      part.pixels.push_back(p == clear ? faceArgb : p);
    }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h),
                    part.pixels.data(), &info, DIB_RGB_COLORS);
}

bool Win32ButtonPeer::OnDrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool pressed = item->itemState & ODS_SELECTED;
  const bool disabled = item->itemState & ODS_DISABLED;
  FillBackground(dc, r);
  DrawClassicBevel(dc, r, pressed);
  const int shift = pressed ? 1 : 0;

  HGDIOBJ old = (::SelectObject)(dc, FontHandle());
  const std::wstring text = Wide(Text());
  // '&' marks the accelerator, underlined by the system's text drawing.
  RECT extent{0, 0, 0, 0};
  if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
  const int gw = glyph_.Empty() ? 0 : glyph_.width / numGlyphs_, gh = glyph_.Empty() ? 0 : glyph_.height;
  const int tw = static_cast<int>(extent.right), th = static_cast<int>(extent.bottom);
  const int width = static_cast<int>(r.right - r.left), height = static_cast<int>(r.bottom - r.top);
  const bool horizontal = layout_ == ui::GlyphLayout::Left || layout_ == ui::GlyphLayout::Right;
  const int gap = gw > 0 && tw > 0 ? spacing_ : 0;
  const int total = horizontal ? gw + gap + tw : gh + gap + th;
  const int start = margin_ >= 0 ? margin_ : ((horizontal ? width : height) - total) / 2;
  int gx = 0, gy = 0, tx = 0, ty = 0;
  if (horizontal) {
    gy = (height - gh) / 2;
    ty = (height - th) / 2;
    const bool glyphFirst = layout_ == ui::GlyphLayout::Left;
    gx = glyphFirst ? start : start + tw + gap;
    tx = glyphFirst ? start + gw + gap : start;
  } else {
    gx = (width - gw) / 2;
    tx = (width - tw) / 2;
    const bool glyphFirst = layout_ == ui::GlyphLayout::Top;
    gy = glyphFirst ? start : start + th + gap;
    ty = glyphFirst ? start + gh + gap : start;
  }
  if (gw > 0) DrawGlyph(dc, disabled && numGlyphs_ > 1 ? 1 : 0, gx + shift, gy + shift);
  if (!text.empty()) {
    (::SetBkMode)(dc, TRANSPARENT);
    (::SetTextColor)(dc, disabled ? 0x808080 : Font().color);
    RECT at{tx + shift, ty + shift, tx + shift + tw, ty + shift + th};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &at, DT_SINGLELINE | DT_NOCLIP);
  }
  (::SelectObject)(dc, old);
  if (item->itemState & ODS_FOCUS) {
    RECT f{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
    DrawFocusRect(dc, &f);
  }
  return true;
}

std::string Win32ButtonPeer::DumpFields() const { return "\ttext=" + Text() + "\tcolor=" + ColorName(Font().color); }

}  // namespace platform::win32
