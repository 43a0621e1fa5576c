#include "platform/qt/QtEditPeer.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

class EditWidget : public QLineEdit, public PeerLink {
 public:
  explicit EditWidget(QWidget* parent) : QLineEdit(parent) {
    // textEdited is the user's typing only; setText does not raise it.
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { Notify([&](ui::PeerHandler& h) { h.PeerText(ToUtf8(text)); }); });
  }

 protected:
  // Up and Down are offered to the control first: a field bound to a spin control steps it.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
      bool used = false;
      const ui::Key key = event->key() == Qt::Key_Up ? ui::Key::Up : ui::Key::Down;
      Notify([&](ui::PeerHandler& h) { used = h.PeerKey(key, ui::ShiftState{}); });
      if (used) {
        event->accept();
        return;
      }
    }
    QLineEdit::keyPressEvent(event);
  }
};

}  // namespace

QtEditPeer::QtEditPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new EditWidget(parent), handler, Kind::Windowed) {}

void QtEditPeer::SetText(const std::string& text) {
  auto* w = As<EditWidget>();
  if (!w) return;
  // Setting the same text again would move the caret to the end under the user's fingers.
  const QString t = ToQString(text);
  if (w->text() != t) w->setText(t);
}

void QtEditPeer::SetBackground(ui::Rgb color, bool) {
  auto* w = Widget();
  if (!w) return;
  QPalette p = w->palette();
  p.setColor(QPalette::Base, ToQColor(color));
  w->setPalette(p);
}

void QtEditPeer::SetReadOnly(bool readOnly) {
  if (auto* w = As<EditWidget>()) w->setReadOnly(readOnly);
}

}  // namespace platform::qt
