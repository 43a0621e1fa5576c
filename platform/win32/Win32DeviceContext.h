// The drawing interface's device drawing with the system's GDI on a real device context
// (a drawn control's back buffer). Pens, brushes and fonts are made for each call and
// freed after it: the drawn controls draw a few dozen shapes per paint.
#pragma once

#include "platform/WinTypes.h"
#include "platform/gdi/Gdi.h"

namespace platform::win32 {

class Win32DeviceContext : public gdi::DeviceContext {
 public:
  // origin: where the device's (0, 0) lies in the form's client area, for pattern brushes.
  Win32DeviceContext(HDC dc, POINT origin) : dc_(dc), origin_(origin) {}

  void Ellipse(const gdi::PenSpec& pen, const gdi::BrushSpec& brush, int left, int top, int right, int bottom) override;
  void Arc(const gdi::PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;
  void FillRect(const gdi::BrushSpec& brush, const RECT& rect) override;
  void TextOut(const ui::FontSpec& font, COLORREF color, int x, int y, const std::string& text) override;
  void MeasureText(const ui::FontSpec& font, const std::string& text, int& width, int& height) override;
  int Ascent(const ui::FontSpec& font) override;
  void SetClip(const RECT& rect) override;
  void ResetClip() override;
  POINT DeviceOrigin() const override { return origin_; }

  // A font of the system for a font of ours; the caller deletes it.
  static HFONT MakeFont(const ui::FontSpec& font);
  // A device-independent bitmap of a picture (0xAARRGGBB, top row first); the caller
  // deletes it.
  static HBITMAP MakeBitmap(HDC dc, const ui::Image& image);

 private:
  HPEN MakePen(const gdi::PenSpec& pen) const;
  HBRUSH MakeBrush(const gdi::BrushSpec& brush) const;

  HDC dc_;
  POINT origin_;
  int saved_ = 0;
};

}  // namespace platform::win32
