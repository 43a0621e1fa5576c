#include "platform/qt/QtImagePeer.h"

#include <QImage>
#include <QPainter>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

class ImageWidget : public QWidget, public PeerLink {
 public:
  explicit ImageWidget(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

  QImage picture;
  bool stretch = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture.isNull()) return;
    QPainter p(this);
    if (stretch) {
      p.setRenderHint(QPainter::SmoothPixmapTransform);
      p.drawImage(rect(), picture);
    } else {
      p.drawImage(0, 0, picture);
    }
  }

  bool event(QEvent* e) override {
    if (ForwardMouse(e)) return true;
    return QWidget::event(e);
  }
};

}  // namespace

QtImagePeer::QtImagePeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new ImageWidget(parent), handler, Kind::Drawn) {}

void QtImagePeer::SetEnabled(bool enabled) {
  QtControl::SetEnabled(enabled);
  // A disabled image lets the mouse through to what lies under it.
  if (auto* w = Widget()) w->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void QtImagePeer::SetPicture(const ui::Image& picture) {
  auto* w = As<ImageWidget>();
  if (!w) return;
  w->picture = ToQImage(picture);
  w->update();
}

void QtImagePeer::SetStretch(bool stretch) {
  auto* w = As<ImageWidget>();
  if (!w) return;
  w->stretch = stretch;
  w->update();
}

}  // namespace platform::qt
