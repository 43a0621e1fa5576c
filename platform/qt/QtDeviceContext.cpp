#include "platform/qt/QtDeviceContext.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/qt/QtConversions.h"
#include "platform/qt/QtFonts.h"

namespace platform::qt {

namespace {

QColor ColorOf(COLORREF c) { return ToQColor(c & 0xFFFFFF); }

// A pattern's pixels as an opaque image: the original paints bitmaps without alpha.
QImage PatternImage(const ui::Image& image) {
  QImage out(image.width, image.height, QImage::Format_RGB32);
  for (int y = 0; y < image.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < image.width; ++x)
      line[x] = image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                             static_cast<std::size_t>(x)] |
                0xFF000000u;
  }
  return out;
}

// The direction from the ellipse's centre to (x, y), in degrees counter-clockwise on the
// screen from three o'clock.
double Direction(const QPointF& centre, int x, int y) {
  return std::atan2(centre.y() - y, x - centre.x()) * 180.0 / std::numbers::pi;
}

// The sector between two radials, reaching well beyond the ellipse.
QPainterPath Sector(const QRectF& ellipse, double start, double span) {
  const QPointF c = ellipse.center();
  const double reach = 2 * (ellipse.width() + ellipse.height()) + 4;
  auto along = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return c + QPointF(reach * std::cos(a), -reach * std::sin(a));
  };
  QPainterPath sector(c);
  // Steps of at most 30° keep every edge of the polygon far outside the ellipse.
  const int steps = static_cast<int>(std::ceil(span / 30.0));
  for (int i = 0; i <= steps; ++i) sector.lineTo(along(start + span * i / steps));
  sector.closeSubpath();
  return sector;
}

}  // namespace

QtDeviceContext::QtDeviceContext(QPainter& painter, QPoint origin) : painter_(painter), origin_(origin) {
  painter_.save();
  // The original system draws shapes with hard edges; blended edges would also show the
  // parent's colour through a round button's rim.
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBrushOrigin(-origin_);
}

QtDeviceContext::~QtDeviceContext() { painter_.restore(); }

QPoint QtDeviceContext::OriginOf(const QWidget* widget) {
  if (widget == nullptr) return QPoint(0, 0);
  return widget->mapTo(widget->window(), QPoint(0, 0));
}

POINT QtDeviceContext::DeviceOrigin() const { return POINT{origin_.x(), origin_.y()}; }

QPen QtDeviceContext::PenFor(const gdi::PenSpec& pen) const {
  if (pen.style == PS_NULL) return QPen(Qt::NoPen);
  QPen p(ColorOf(pen.color), std::max(1, pen.width));
  p.setCapStyle(Qt::RoundCap);
  p.setJoinStyle(Qt::RoundJoin);
  return p;
}

QBrush QtDeviceContext::BrushFor(const gdi::BrushSpec& brush) const {
  switch (brush.kind) {
    case gdi::BrushKind::Hollow: return QBrush(Qt::NoBrush);
    case gdi::BrushKind::Pattern:
      if (brush.pattern && !brush.pattern->Empty()) return QBrush(PatternImage(*brush.pattern));
      return QBrush(Qt::NoBrush);
    case gdi::BrushKind::Solid: break;
  }
  return QBrush(ColorOf(brush.color));
}

QRectF QtDeviceContext::OutlineFor(const gdi::PenSpec& pen, int left, int top, int right, int bottom) {
  // Qt draws a one-pixel line on the pixels to the right of and below its path, so the
  // path runs along the pixels' top-left corners. Wider pens are filled shapes, sampled at
  // the pixels' centres: an odd width is centred on the outline pixels only when the path
  // runs through their centres.
  const double shift = pen.style != PS_NULL && pen.width > 1 && pen.width % 2 == 1 ? 0.5 : 0.0;
  return QRectF(left + shift, top + shift, right - left - 1, bottom - top - 1);
}

void QtDeviceContext::Ellipse(const gdi::PenSpec& pen, const gdi::BrushSpec& brush, int left, int top, int right,
                              int bottom) {
  if (right - left < 2 || bottom - top < 2) return;
  painter_.setPen(PenFor(pen));
  painter_.setBrush(BrushFor(brush));
  painter_.drawEllipse(OutlineFor(pen, left, top, right, bottom));
}

void QtDeviceContext::Arc(const gdi::PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe,
                          int ye) {
  if (pen.style == PS_NULL || right - left < 2 || bottom - top < 2) return;
  const QRectF outline = OutlineFor(pen, left, top, right, bottom);
  const double start = Direction(outline.center(), xs, ys);
  double span = Direction(outline.center(), xe, ye) - start;
  // Counter-clockwise from start round to end; the same radial twice is the whole ellipse.
  while (span <= 0) span += 360.0;
  // The arc is the ellipse's own outline cut at the two radials, so that it covers exactly
  // the pixels Ellipse would there; Qt's arcs are laid out on other pixels.
  painter_.save();
  if (span < 360.0) painter_.setClipPath(Sector(outline, start, span), Qt::IntersectClip);
  painter_.setPen(PenFor(pen));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawEllipse(outline);
  painter_.restore();
}

void QtDeviceContext::FillRect(const gdi::BrushSpec& brush, const RECT& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const QBrush b = BrushFor(brush);
  if (b.style() == Qt::NoBrush) return;
  painter_.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), b);
}

void QtDeviceContext::TextOut(const ui::FontSpec& font, COLORREF color, int x, int y, const std::string& text) {
  const QFont f = MakeQFont(font);
  painter_.setFont(f);
  painter_.setPen(ColorOf(color));
  painter_.drawText(QPoint(x, y + QFontMetrics(f).ascent()), ToQString(text));
}

void QtDeviceContext::MeasureText(const ui::FontSpec& font, const std::string& text, int& width, int& height) {
  const QFontMetrics m(MakeQFont(font));
  width = m.horizontalAdvance(ToQString(text));
  height = m.height();
}

int QtDeviceContext::Ascent(const ui::FontSpec& font) { return QFontMetrics(MakeQFont(font)).ascent(); }

void QtDeviceContext::SetClip(const RECT& rect) {
  // An inside-out rectangle clips everything away, as an empty one does.
  const int w = std::max(0, static_cast<int>(rect.right - rect.left));
  const int h = std::max(0, static_cast<int>(rect.bottom - rect.top));
  painter_.setClipRect(QRect(rect.left, rect.top, w, h), Qt::ReplaceClip);
}

void QtDeviceContext::ResetClip() { painter_.setClipping(false); }

}  // namespace platform::qt
