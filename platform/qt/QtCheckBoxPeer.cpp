#include "platform/qt/QtCheckBoxPeer.h"

#include <QCheckBox>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

class CheckBoxWidget : public QCheckBox, public PeerLink {
 public:
  explicit CheckBoxWidget(QWidget* parent) : QCheckBox(parent) {
    // The box and its caption stand on the control's own colour, not on a button's face.
    setBackgroundRole(QPalette::Window);
    // clicked comes from the user (mouse, space bar, accelerator) and never from setChecked.
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
      Notify([&](ui::PeerHandler& h) { h.PeerCheck(checked); });
      Notify([](ui::PeerHandler& h) { h.PeerClick(); });
    });
  }
};

}  // namespace

QtCheckBoxPeer::QtCheckBoxPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new CheckBoxWidget(parent), handler, Kind::Windowed) {}

void QtCheckBoxPeer::SetText(const std::string& text) {
  if (auto* w = As<CheckBoxWidget>()) w->setText(ToQString(text));
}

void QtCheckBoxPeer::SetChecked(bool checked) {
  if (auto* w = As<CheckBoxWidget>()) w->setChecked(checked);
}

}  // namespace platform::qt
