#include "platform/qt/QtCustomPeer.h"

#include <QPainter>

namespace platform::qt {

namespace {

// The canvas the control paints on. The drawing interface over a QPainter is not written
// yet; until it is, the control is asked to paint with no canvas and draws nothing.
void* CanvasFor(QPainter&) { return nullptr; }

class CustomWidget : public QWidget, public PeerLink {
 public:
  explicit CustomWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(false);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    void* canvas = CanvasFor(painter);
    Notify([canvas](ui::PeerHandler& h) { h.PeerPaint(canvas); });
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

void QtCustomPeer::SetEnabled(bool enabled) {
  QtControl::SetEnabled(enabled);
  if (auto* w = Widget()) w->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

Qt::FocusPolicy QtCustomPeer::FocusPolicyFor(bool, bool tabStop) const { return tabStop ? Qt::TabFocus : Qt::NoFocus; }

}  // namespace platform::qt
