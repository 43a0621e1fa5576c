// The drawing surface a control paints on: a pen, a brush and a font as properties, and
// shapes and text drawn with them on a device context handed in from outside. As with the
// classic canvas, changing a property only marks it; the GDI object is made and selected
// when the next drawing call needs it, and the one it replaces is deleted then.
#pragma once

#include <functional>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "platform/gdi/Gdi.h"

enum TPenStyle { psSolid = PS_SOLID, psClear = PS_NULL };
enum TBrushStyle { bsSolid = 0, bsClear = 1 };

class TPen : public TObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Width() const { return width_; }
  void SetWidth(int v);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v);

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

class TBrush : public TObject {
 public:
  TColor Color() const { return color_; }
  // A colour given to a clear brush makes it solid again.
  void SetColor(TColor v);
  TBrushStyle Style() const { return style_; }
  // A clear brush drops its bitmap.
  void SetStyle(TBrushStyle v);
  // A bitmap makes the brush paint with its pixels, tiled from the surface's corner; setting
  // one (or none) returns colour and style to their defaults, white and solid. The brush
  // does not own the bitmap, which must outlive its use.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* v);

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
};

class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TFont* Font() { return &font_; }

  // The device context with the pen, brush and font selected, the text colour the font's
  // and the background mode the brush's, ready for calls made on it directly; nullptr when
  // the canvas is bound to none.
  HDC Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Binds the canvas to a device context (nullptr: to none). What the canvas selected into
  // the previous one is taken out again, so that it can be released.
  void SetHandle(HDC dc);

  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FillRect(const RECT& Rect);
  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);

 private:
  enum : unsigned { kPenValid = 1, kBrushValid = 2, kFontValid = 4, kAllValid = 7 };
  // Selects whatever of the pen, brush and font the next call needs and is not in place.
  void RequiredState(unsigned needed);
  void SelectPen();
  void SelectBrush();
  void SelectFont();
  // Selects the object made from a property, first making a new one when the property
  // changed; the one that new object replaces is deleted once it is out of the device.
  void Select(HGDIOBJ& current, bool& stale, HGDIOBJ& original, HGDIOBJ (TCanvas::*make)());
  HGDIOBJ MakePen();
  HGDIOBJ MakeBrush();
  HGDIOBJ MakeFont();
  // Puts the device context's own objects back.
  void Deselect();

  TPen pen_;
  TBrush brush_;
  TFont font_;
  HDC handle_ = nullptr;
  unsigned state_ = 0;
  // The objects made from the properties, and whether a property changed since.
  HGDIOBJ penHandle_ = nullptr;
  HGDIOBJ brushHandle_ = nullptr;
  HGDIOBJ fontHandle_ = nullptr;
  bool penStale_ = true;
  bool brushStale_ = true;
  bool fontStale_ = true;
  // What the device context held before the canvas selected its own.
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
};
