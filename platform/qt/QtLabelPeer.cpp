#include "platform/qt/QtLabelPeer.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

class LabelWidget : public QLabel, public PeerLink {
 public:
  explicit LabelWidget(QWidget* parent) : QLabel(parent) {
    // The framework has already taken the accelerator marks out; what is left is shown as it
    // is, and nothing in a caption is markup.
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
  }

 protected:
  bool event(QEvent* e) override {
    if (ForwardMouse(e)) return true;
    return QLabel::event(e);
  }
};

}  // namespace

QtLabelPeer::QtLabelPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new LabelWidget(parent), handler, Kind::Drawn) {}

void QtLabelPeer::SetText(const std::string& text) {
  if (auto* w = As<LabelWidget>()) w->setText(ToQString(text));
}

void QtLabelPeer::SetEnabled(bool enabled) {
  QtControl::SetEnabled(enabled);
  // A disabled label lets the mouse through to what lies under it.
  if (auto* w = Widget()) w->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void QtLabelPeer::SetAlignment(ui::Alignment a) {
  auto* w = As<LabelWidget>();
  if (!w) return;
  const Qt::Alignment h = a == ui::Alignment::Right    ? Qt::AlignRight
                          : a == ui::Alignment::Center ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
  w->setAlignment(h | Qt::AlignTop);
}

void QtLabelPeer::SetWordWrap(bool wrap) {
  if (auto* w = As<LabelWidget>()) w->setWordWrap(wrap);
}

void QtLabelPeer::MeasureText(const std::string& text, int& width, int& height) {
  auto* w = Widget();
  const QFontMetrics fm(w ? w->font() : QFont());
  const QStringList lines = ToQString(text).split(QLatin1Char('\n'));
  width = 0;
  for (QString line : lines) {
    // Captions written on the original system end their lines with CR LF.
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    width = std::max(width, fm.horizontalAdvance(line));
  }
  height = fm.height() + fm.lineSpacing() * static_cast<int>(lines.size() - 1);
}

}  // namespace platform::qt
