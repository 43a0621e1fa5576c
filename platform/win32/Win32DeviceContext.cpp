#include "platform/win32/Win32DeviceContext.h"

#include <vector>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

HFONT Win32DeviceContext::MakeFont(const ui::FontSpec& font) {
  // A negative height asks for the character height, as the window descriptions give it.
  return CreateFontW(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                     font.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Wide(font.name).c_str());
}

HBITMAP Win32DeviceContext::MakeBitmap(HDC dc, const ui::Image& image) {
  if (image.Empty()) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, image.pixels.data(), &info, DIB_RGB_COLORS);
}

HPEN Win32DeviceContext::MakePen(const gdi::PenSpec& pen) const {
  return (::CreatePen)(pen.style, pen.width, pen.color);
}

HBRUSH Win32DeviceContext::MakeBrush(const gdi::BrushSpec& brush) const {
  switch (brush.kind) {
    case gdi::BrushKind::Hollow: return static_cast<HBRUSH>((::GetStockObject)(NULL_BRUSH));
    case gdi::BrushKind::Pattern:
      if (brush.pattern) {
        HBITMAP bitmap = MakeBitmap(dc_, *brush.pattern);
        HBRUSH b = (::CreatePatternBrush)(bitmap);
        (::DeleteObject)(bitmap);
        // Patterns line up across controls from the form's corner, as the original's do.
        SetBrushOrgEx(dc_, -origin_.x, -origin_.y, nullptr);
        return b;
      }
      break;
    case gdi::BrushKind::Solid: break;
  }
  return (::CreateSolidBrush)(brush.color);
}

void Win32DeviceContext::Ellipse(const gdi::PenSpec& pen, const gdi::BrushSpec& brush, int left, int top, int right,
                                 int bottom) {
  HPEN p = MakePen(pen);
  HBRUSH b = MakeBrush(brush);
  HGDIOBJ oldPen = (::SelectObject)(dc_, p);
  HGDIOBJ oldBrush = (::SelectObject)(dc_, b);
  (::Ellipse)(dc_, left, top, right, bottom);
  (::SelectObject)(dc_, oldPen);
  (::SelectObject)(dc_, oldBrush);
  (::DeleteObject)(p);
  (::DeleteObject)(b);
}

void Win32DeviceContext::Arc(const gdi::PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe,
                             int ye) {
  HPEN p = MakePen(pen);
  HGDIOBJ oldPen = (::SelectObject)(dc_, p);
  SetArcDirection(dc_, AD_COUNTERCLOCKWISE);
  (::Arc)(dc_, left, top, right, bottom, xs, ys, xe, ye);
  (::SelectObject)(dc_, oldPen);
  (::DeleteObject)(p);
}

void Win32DeviceContext::FillRect(const gdi::BrushSpec& brush, const RECT& rect) {
  if (brush.kind == gdi::BrushKind::Hollow) return;
  HBRUSH b = MakeBrush(brush);
  (::FillRect)(dc_, &rect, b);
  (::DeleteObject)(b);
}

void Win32DeviceContext::TextOut(const ui::FontSpec& font, COLORREF color, int x, int y, const std::string& text) {
  HFONT f = MakeFont(font);
  HGDIOBJ old = (::SelectObject)(dc_, f);
  (::SetTextColor)(dc_, color);
  (::SetBkMode)(dc_, TRANSPARENT);
  const std::wstring w = Wide(text);
  TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
  (::SelectObject)(dc_, old);
  (::DeleteObject)(f);
}

void Win32DeviceContext::MeasureText(const ui::FontSpec& font, const std::string& text, int& width, int& height) {
  HFONT f = MakeFont(font);
  HGDIOBJ old = (::SelectObject)(dc_, f);
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  width = static_cast<int>(size.cx);
  height = static_cast<int>(tm.tmHeight);
  (::SelectObject)(dc_, old);
  (::DeleteObject)(f);
}

int Win32DeviceContext::Ascent(const ui::FontSpec& font) {
  HFONT f = MakeFont(font);
  HGDIOBJ old = (::SelectObject)(dc_, f);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  (::SelectObject)(dc_, old);
  (::DeleteObject)(f);
  return static_cast<int>(tm.tmAscent);
}

void Win32DeviceContext::SetClip(const RECT& rect) {
  ResetClip();
  saved_ = SaveDC(dc_);
  IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void Win32DeviceContext::ResetClip() {
  if (saved_ != 0) RestoreDC(dc_, saved_);
  saved_ = 0;
}

}  // namespace platform::win32
