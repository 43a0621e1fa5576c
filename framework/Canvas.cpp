#include "framework/Canvas.h"

// ---- TPen -------------------------------------------------------------------------------------

void TPen::Changed() {
  if (OnChange) OnChange();
}

void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TPen::SetWidth(int v) {
  // A negative width is ignored, as the classic pen does.
  if (v < 0 || v == width_) return;
  width_ = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

// ---- TBrush -----------------------------------------------------------------------------------

void TBrush::Changed() {
  if (OnChange) OnChange();
}

void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ != bsClear) return;
  color_ = v;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_ && !(v == bsClear && bitmap_ != nullptr)) return;
  style_ = v;
  if (v == bsClear) bitmap_ = nullptr;
  Changed();
}

void TBrush::SetBitmap(TBitmap* v) {
  if (v == bitmap_ && color_ == clWhite && style_ == bsSolid) return;
  bitmap_ = v;
  color_ = clWhite;
  style_ = bsSolid;
  Changed();
}

// ---- TCanvas ----------------------------------------------------------------------------------

TCanvas::TCanvas() {
  pen_.OnChange = [this] {
    penStale_ = true;
    state_ &= ~kPenValid;
  };
  brush_.OnChange = [this] {
    brushStale_ = true;
    state_ &= ~kBrushValid;
  };
  font_.OnChange = [this] {
    fontStale_ = true;
    state_ &= ~kFontValid;
  };
}

TCanvas::~TCanvas() {
  Deselect();
  for (HGDIOBJ h : {penHandle_, brushHandle_, fontHandle_})
    if (h != nullptr) DeleteObject(h);
  pen_.OnChange = nullptr;
  brush_.OnChange = nullptr;
  font_.OnChange = nullptr;
}

HDC TCanvas::Handle() {
  RequiredState(kAllValid);
  return handle_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == handle_) return;
  Deselect();
  handle_ = dc;
}

void TCanvas::Deselect() {
  if (handle_ != nullptr) {
    for (HGDIOBJ* original : {&originalPen_, &originalBrush_, &originalFont_})
      if (*original != nullptr) SelectObject(handle_, *original);
  }
  originalPen_ = originalBrush_ = originalFont_ = nullptr;
  state_ = 0;
}

void TCanvas::RequiredState(unsigned needed) {
  if (handle_ == nullptr) return;
  const unsigned missing = needed & ~state_;
  if (missing & kPenValid) SelectPen();
  if (missing & kBrushValid) SelectBrush();
  if (missing & kFontValid) SelectFont();
}

void TCanvas::Select(HGDIOBJ& current, bool& stale, HGDIOBJ& original, HGDIOBJ (TCanvas::*make)()) {
  HGDIOBJ wanted = current;
  if (stale || current == nullptr) wanted = (this->*make)();
  HGDIOBJ previous = SelectObject(handle_, wanted);
  if (original == nullptr) original = previous;
  // The object made before is out of the device now (or never was in it) and can go.
  if (wanted != current && current != nullptr) DeleteObject(current);
  current = wanted;
  stale = false;
}

HGDIOBJ TCanvas::MakePen() {
  return CreatePen(pen_.Style() == psClear ? PS_NULL : PS_SOLID, pen_.Width(), ColorToRGB(pen_.Color()));
}

HGDIOBJ TCanvas::MakeBrush() {
  if (TBitmap* b = brush_.Bitmap(); b != nullptr && !b->Empty()) {
    // The brush keeps the pixels; the bitmap object is needed only to make it.
    HBITMAP bitmap = CreateBitmapFromImage(b->Image());
    HBRUSH pattern = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    if (pattern != nullptr) return pattern;
  }
  // The stock hollow brush stands for every clear one; deleting it later does nothing.
  if (brush_.Style() == bsClear) return GetStockObject(HOLLOW_BRUSH);
  return CreateSolidBrush(ColorToRGB(brush_.Color()));
}

HGDIOBJ TCanvas::MakeFont() { return CreateFontFromSpec(font_.AsFontSpec()); }

void TCanvas::SelectPen() {
  Select(penHandle_, penStale_, originalPen_, &TCanvas::MakePen);
  state_ |= kPenValid;
}

void TCanvas::SelectBrush() {
  Select(brushHandle_, brushStale_, originalBrush_, &TCanvas::MakeBrush);
  // Text drawn on this canvas gets the brush's colour behind it, unless the brush is clear.
  if (brush_.Style() == bsSolid) {
    SetBkColor(handle_, ColorToRGB(brush_.Color()));
    SetBkMode(handle_, OPAQUE);
  } else {
    SetBkMode(handle_, TRANSPARENT);
  }
  state_ |= kBrushValid;
}

void TCanvas::SelectFont() {
  Select(fontHandle_, fontStale_, originalFont_, &TCanvas::MakeFont);
  SetTextColor(handle_, ColorToRGB(font_.Color()));
  state_ |= kFontValid;
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  RequiredState(kPenValid | kBrushValid);
  ::Ellipse(handle_, X1, Y1, X2, Y2);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  RequiredState(kPenValid | kBrushValid);
  ::Arc(handle_, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::FillRect(const RECT& Rect) {
  RequiredState(kBrushValid);
  ::FillRect(handle_, &Rect, static_cast<HBRUSH>(brushHandle_));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  RequiredState(kFontValid | kBrushValid);
  TextOutA(handle_, X, Y, Text.c_str(), static_cast<int>(Text.size()));
}

int TCanvas::TextWidth(const std::string& Text) {
  RequiredState(kFontValid);
  SIZE size{0, 0};
  GetTextExtentPoint32A(handle_, Text.c_str(), static_cast<int>(Text.size()), &size);
  return size.cx;
}

int TCanvas::TextHeight(const std::string& Text) {
  RequiredState(kFontValid);
  SIZE size{0, 0};
  GetTextExtentPoint32A(handle_, Text.c_str(), static_cast<int>(Text.size()), &size);
  return size.cy;
}
