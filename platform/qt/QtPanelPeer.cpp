#include "platform/qt/QtPanelPeer.h"

#include <QFrame>
#include <QPainter>
#include <algorithm>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

// The classic scheme's bevel colours, which the window designs were drawn against.
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);

class PanelWidget : public QFrame, public PeerLink {
 public:
  explicit PanelWidget(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::NoFrame);
    setAutoFillBackground(true);
  }

  ui::Bevel outer = ui::Bevel::Raised;
  ui::Bevel inner = ui::Bevel::None;
  int bevelWidth = 1;
  QString caption;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QRect r = rect();
    DrawBevel(p, r, outer);
    DrawBevel(p, r, inner);
    if (!caption.isEmpty()) {
      p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
      p.setFont(font());
      p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
  }

 private:
  // Each ring of a raised bevel is light on the top and left and dark on the right and
  // bottom, the dark sides including both far corners; a lowered one is the reverse. The
  // rectangle shrinks by the bevel's width.
  void DrawBevel(QPainter& p, QRect& r, ui::Bevel bevel) const {
    if (bevel == ui::Bevel::None) return;
    const QColor topLeft = bevel == ui::Bevel::Raised ? kHighlight : kShadow;
    const QColor bottomRight = bevel == ui::Bevel::Raised ? kShadow : kHighlight;
    for (int i = 0; i < bevelWidth && r.width() > 0 && r.height() > 0; ++i) {
      p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
      p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
      p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
      p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
      r.adjust(1, 1, -1, -1);
    }
  }
};

}  // namespace

QtPanelPeer::QtPanelPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new PanelWidget(parent), handler, Kind::Windowed) {
  // A panel holds controls; it does not take the focus itself.
  SetTakesFocus(false);
}

void QtPanelPeer::SetText(const std::string& text) {
  auto* w = As<PanelWidget>();
  if (!w) return;
  w->caption = ToQString(text);
  w->update();
}

void QtPanelPeer::SetBevel(ui::Bevel outer, ui::Bevel inner, int width) {
  auto* w = As<PanelWidget>();
  if (!w) return;
  w->outer = outer;
  w->inner = inner;
  w->bevelWidth = std::max(0, width);
  w->update();
}

}  // namespace platform::qt
