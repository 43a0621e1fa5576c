// A device that draws nothing and writes down every drawing call it gets, with the pen,
// brush, rectangle, points, text, colour and font of each, so that a test can check what a
// paint did and in which order. Its text metric is fixed: every ASCII byte is 6 pixels
// wide, every other character (one UTF-8 sequence) 12, a line is as high as the font, and
// the baseline lies three quarters of the way down.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

struct CanvasCall {
  enum class Kind { Ellipse, Arc, FillRect, TextOut, SetClip, ResetClip };
  Kind kind = Kind::Ellipse;
  platform::gdi::PenSpec pen;      // Ellipse, Arc
  platform::gdi::BrushSpec brush;  // Ellipse, FillRect
  RECT rect{0, 0, 0, 0};           // Ellipse, Arc, FillRect, SetClip; TextOut: left, top
  std::vector<POINT> points;       // Arc: start and end
  std::string text;                // TextOut
  COLORREF color = 0;              // TextOut
  platform::ui::FontSpec font;     // TextOut

  // One line, e.g. `Ellipse 0,0,66,30 pen solid 1 #000000 brush solid #C0C0C0`. Colours are
  // written #RRGGBB.
  std::string Describe() const;
};

class RecordingCanvas : public platform::gdi::DeviceContext {
 public:
  static constexpr int kAsciiWidth = 6;
  static constexpr int kWideWidth = 12;

  void Ellipse(const platform::gdi::PenSpec& pen, const platform::gdi::BrushSpec& brush, int left, int top, int right,
               int bottom) override;
  void Arc(const platform::gdi::PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe,
           int ye) override;
  void FillRect(const platform::gdi::BrushSpec& brush, const RECT& rect) override;
  void TextOut(const platform::ui::FontSpec& font, COLORREF color, int x, int y, const std::string& text) override;
  void MeasureText(const platform::ui::FontSpec& font, const std::string& text, int& width, int& height) override;
  int Ascent(const platform::ui::FontSpec& font) override;
  void SetClip(const RECT& rect) override;
  void ResetClip() override;
  POINT DeviceOrigin() const override { return origin; }

  // The width the fixed metric gives a text.
  static int TextWidth(const std::string& text);

  std::vector<CanvasCall> calls;
  int measures = 0;  // MeasureText calls, which are not among calls
  POINT origin{0, 0};

  void Clear() { calls.clear(); }
  // The calls of one kind, in order.
  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const;
  // Every call's Describe(), in order.
  std::vector<std::string> Descriptions() const;
  // All of them, one a line, for failure messages.
  std::string Describe() const;
};

// A device context on a recording canvas, released when the test is done with it.
class RecordingDc {
 public:
  explicit RecordingDc(RecordingCanvas& canvas, const platform::ui::FontSpec& font = {});
  ~RecordingDc();
  RecordingDc(const RecordingDc&) = delete;
  RecordingDc& operator=(const RecordingDc&) = delete;
  operator HDC() const { return hdc_; }

 private:
  HDC hdc_;
};
