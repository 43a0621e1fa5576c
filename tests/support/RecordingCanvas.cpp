#include "tests/support/RecordingCanvas.h"

#include <cstdio>
#include <utility>

using platform::gdi::BrushKind;
using platform::gdi::BrushSpec;
using platform::gdi::PenSpec;

namespace {

std::string Hex(COLORREF c) {
  char buf[8];
  const auto v = static_cast<unsigned>(c);  // COLORREF is unsigned long on Windows
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
  return buf;
}

std::string Rect(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::string Pen(const PenSpec& p) {
  if (p.style == PS_NULL) return "pen none";
  return "pen " + std::string(p.style == PS_SOLID ? "solid " : "style" + std::to_string(p.style) + " ") +
         std::to_string(p.width) + " " + Hex(p.color);
}

std::string Brush(const BrushSpec& b) {
  switch (b.kind) {
    case BrushKind::Hollow: return "brush hollow";
    case BrushKind::Pattern:
      if (!b.pattern) return "brush pattern none";
      return "brush pattern " + std::to_string(b.pattern->width) + "x" + std::to_string(b.pattern->height);
    case BrushKind::Solid: break;
  }
  return "brush solid " + Hex(b.color);
}

}  // namespace

std::string CanvasCall::Describe() const {
  switch (kind) {
    case Kind::Ellipse: return "Ellipse " + Rect(rect) + " " + Pen(pen) + " " + Brush(brush);
    case Kind::Arc:
      return "Arc " + Rect(rect) + " from " + std::to_string(points.at(0).x) + "," + std::to_string(points.at(0).y) +
             " to " + std::to_string(points.at(1).x) + "," + std::to_string(points.at(1).y) + " " + Pen(pen);
    case Kind::FillRect: return "FillRect " + Rect(rect) + " " + Brush(brush);
    case Kind::TextOut:
      return "TextOut " + std::to_string(rect.left) + "," + std::to_string(rect.top) + " \"" + text + "\" " +
             Hex(color) + " font " + font.name + " " + std::to_string(font.height) + (font.bold ? " bold" : "");
    case Kind::SetClip: return "SetClip " + Rect(rect);
    case Kind::ResetClip: return "ResetClip";
  }
  return "?";
}

void RecordingCanvas::Ellipse(const PenSpec& pen, const BrushSpec& brush, int left, int top, int right, int bottom) {
  CanvasCall c;
  c.kind = CanvasCall::Kind::Ellipse;
  c.pen = pen;
  c.brush = brush;
  c.rect = RECT{left, top, right, bottom};
  calls.push_back(std::move(c));
}

void RecordingCanvas::Arc(const PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe,
                          int ye) {
  CanvasCall c;
  c.kind = CanvasCall::Kind::Arc;
  c.pen = pen;
  c.rect = RECT{left, top, right, bottom};
  c.points = {POINT{xs, ys}, POINT{xe, ye}};
  calls.push_back(std::move(c));
}

void RecordingCanvas::FillRect(const BrushSpec& brush, const RECT& rect) {
  CanvasCall c;
  c.kind = CanvasCall::Kind::FillRect;
  c.brush = brush;
  c.rect = rect;
  calls.push_back(std::move(c));
}

void RecordingCanvas::TextOut(const platform::ui::FontSpec& font, COLORREF color, int x, int y,
                              const std::string& text) {
  CanvasCall c;
  c.kind = CanvasCall::Kind::TextOut;
  c.rect = RECT{x, y, x + TextWidth(text), y + font.height};
  c.text = text;
  c.color = color;
  c.font = font;
  calls.push_back(std::move(c));
}

int RecordingCanvas::TextWidth(const std::string& text) {
  int width = 0;
  for (unsigned char ch : text) {
    // Continuation bytes of a UTF-8 sequence add nothing; its lead byte counts for all.
    if (ch < 0x80) {
      width += kAsciiWidth;
    } else if (ch >= 0xC0) {
      width += kWideWidth;
    }
  }
  return width;
}

void RecordingCanvas::MeasureText(const platform::ui::FontSpec& font, const std::string& text, int& width,
                                  int& height) {
  ++measures;
  width = TextWidth(text);
  height = font.height;
}

int RecordingCanvas::Ascent(const platform::ui::FontSpec& font) { return font.height * 3 / 4; }

void RecordingCanvas::SetClip(const RECT& rect) {
  CanvasCall c;
  c.kind = CanvasCall::Kind::SetClip;
  c.rect = rect;
  calls.push_back(std::move(c));
}

void RecordingCanvas::ResetClip() {
  CanvasCall c;
  c.kind = CanvasCall::Kind::ResetClip;
  calls.push_back(std::move(c));
}

std::vector<CanvasCall> RecordingCanvas::Of(CanvasCall::Kind kind) const {
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingCanvas::Descriptions() const {
  std::vector<std::string> out;
  for (const CanvasCall& c : calls) out.push_back(c.Describe());
  return out;
}

std::string RecordingCanvas::Describe() const {
  std::string out;
  for (const CanvasCall& c : calls) out += c.Describe() + "\n";
  return out;
}

RecordingDc::RecordingDc(RecordingCanvas& canvas, const platform::ui::FontSpec& font)
    : hdc_(platform::gdi::CreateDeviceContext(&canvas, font)) {}

RecordingDc::~RecordingDc() { platform::gdi::ReleaseDeviceContext(hdc_); }
