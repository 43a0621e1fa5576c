// The drawing interface's device on a QPainter. Shapes are drawn without antialiasing and
// cover the pixels the original system's would: an ellipse with a one-pixel pen from left
// to right - 1 and top to bottom - 1, wider pens centred on that outline, pattern brushes
// tiled from the window's corner so that neighbouring controls' patterns line up.
#pragma once

#include <QPainter>
#include <QPoint>
#include <QWidget>

#include "platform/gdi/Gdi.h"

namespace platform::qt {

class QtDeviceContext : public gdi::DeviceContext {
 public:
  // origin: where the painter's (0, 0) lies on the surface that pattern brushes align to,
  // for a widget OriginOf(widget).
  explicit QtDeviceContext(QPainter& painter, QPoint origin = QPoint(0, 0));
  ~QtDeviceContext() override;
  QtDeviceContext(const QtDeviceContext&) = delete;
  QtDeviceContext& operator=(const QtDeviceContext&) = delete;

  // A widget's top-left corner within its top-level window.
  static QPoint OriginOf(const QWidget* widget);

  void Ellipse(const gdi::PenSpec& pen, const gdi::BrushSpec& brush, int left, int top, int right, int bottom) override;
  void Arc(const gdi::PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;
  void FillRect(const gdi::BrushSpec& brush, const RECT& rect) override;
  void TextOut(const ui::FontSpec& font, COLORREF color, int x, int y, const std::string& text) override;
  void MeasureText(const ui::FontSpec& font, const std::string& text, int& width, int& height) override;
  int Ascent(const ui::FontSpec& font) override;
  void SetClip(const RECT& rect) override;
  void ResetClip() override;
  POINT DeviceOrigin() const override;

 private:
  QPen PenFor(const gdi::PenSpec& pen) const;
  QBrush BrushFor(const gdi::BrushSpec& brush) const;
  // The outline a shape in (left, top, right, bottom) is drawn along with this pen.
  static QRectF OutlineFor(const gdi::PenSpec& pen, int left, int top, int right, int bottom);

  QPainter& painter_;
  QPoint origin_;
};

}  // namespace platform::qt
