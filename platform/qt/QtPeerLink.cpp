#include "platform/qt/QtPeerLink.h"

#include <QMouseEvent>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

bool PeerLink::ForwardMouse(QEvent* event) {
  if (event->type() == QEvent::Leave) {
    Notify([](ui::PeerHandler& h) { h.PeerMouseLeave(); });
    return true;
  }
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonDblClick)
    return false;
  const auto* m = static_cast<QMouseEvent*>(event);
  const QPoint p = m->position().toPoint();
  const ui::ShiftState s = ShiftStateOf(m->modifiers(), m->buttons());
  const ui::MouseButton b = MouseButtonOf(m->button());
  switch (type) {
    case QEvent::MouseButtonPress: Notify([&](ui::PeerHandler& h) { h.PeerMouseDown(b, s, p.x(), p.y()); }); break;
    case QEvent::MouseButtonDblClick:
      // The second press of a double click is still a press: the control sees the double
      // click and then the button going down, so a push button drawn by the control goes
      // down twice for two quick clicks.
      if (m->button() == Qt::LeftButton) Notify([&](ui::PeerHandler& h) { h.PeerDblClick(p.x(), p.y()); });
      Notify([&](ui::PeerHandler& h) { h.PeerMouseDown(b, s, p.x(), p.y()); });
      break;
    case QEvent::MouseMove: Notify([&](ui::PeerHandler& h) { h.PeerMouseMove(s, p.x(), p.y()); }); break;
    default: Notify([&](ui::PeerHandler& h) { h.PeerMouseUp(b, s, p.x(), p.y()); }); break;
  }
  return true;
}

}  // namespace platform::qt
