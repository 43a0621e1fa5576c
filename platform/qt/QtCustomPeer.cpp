#include "platform/qt/QtCustomPeer.h"

#include <QPainter>

#include "platform/gdi/Gdi.h"
#include "platform/qt/QtDeviceContext.h"

namespace platform::qt {

namespace {

class CustomWidget : public QWidget, public PeerLink {
 public:
  explicit CustomWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(false);
  }

  // The control's font, which its device context starts with.
  ui::FontSpec font;

 protected:
  // The control paints through a device context of the drawing interface, which lives for
  // this one paint, as the original's does between BeginPaint and EndPaint.
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QtDeviceContext device(painter, QtDeviceContext::OriginOf(this));
    HDC dc = gdi::CreateDeviceContext(&device, font);
    Notify([dc](ui::PeerHandler& h) { h.PeerPaint(dc); });
    gdi::ReleaseDeviceContext(dc);
  }

  bool event(QEvent* e) override {
    if (ForwardMouse(e)) return true;
    return QWidget::event(e);
  }
};

}  // namespace

QtCustomPeer::QtCustomPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new CustomWidget(parent), handler, Kind::Drawn) {
  SetTabStop(false);
}

void QtCustomPeer::SetFont(const ui::FontSpec& font) {
  QtControl::SetFont(font);
  if (auto* w = As<CustomWidget>()) w->font = font;
}

void QtCustomPeer::SetEnabled(bool enabled) {
  QtControl::SetEnabled(enabled);
  if (auto* w = Widget()) w->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

Qt::FocusPolicy QtCustomPeer::FocusPolicyFor(bool, bool tabStop) const { return tabStop ? Qt::TabFocus : Qt::NoFocus; }

}  // namespace platform::qt
