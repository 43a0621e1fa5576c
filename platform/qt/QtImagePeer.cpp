#include "platform/qt/QtImagePeer.h"

#include <QImage>
#include <QPainter>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

// Qt's raster painter hands fills and blends of 96 rows or more to the global thread pool,
// whose threads then stay around; a picture stretched over the deck's whole face would
// start two of them for its first paint. Rows drawn in bands fewer than that stay on this
// thread, and the result is the same, pixel for pixel.
constexpr int kBandRows = 64;

class ImageWidget : public QWidget, public PeerLink {
 public:
  explicit ImageWidget(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

  void SetPicture(QImage image) {
    // Premultiplied, the picture is copied to the screen as it is, with no conversion on
    // each paint.
    picture_ = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    stretched_ = QImage();
    update();
  }
  void SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, stretch_ ? Stretched() : picture_);
  }

  bool event(QEvent* e) override {
    if (ForwardMouse(e)) return true;
    return QWidget::event(e);
  }

 private:
  // The picture at the widget's size, smoothly scaled, made again only when either changes.
  const QImage& Stretched() {
    if (stretched_.size() == size()) return stretched_;
    stretched_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    stretched_.fill(Qt::transparent);
    QPainter p(&stretched_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int top = 0; top < height(); top += kBandRows) {
      p.setClipRect(0, top, width(), kBandRows);
      p.drawImage(rect(), picture_);
    }
    return stretched_;
  }

  QImage picture_;
  QImage stretched_;
  bool stretch_ = false;
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
  w->SetPicture(ToQImage(picture));
}

void QtImagePeer::SetStretch(bool stretch) {
  auto* w = As<ImageWidget>();
  if (!w) return;
  w->SetStretch(stretch);
}

}  // namespace platform::qt
