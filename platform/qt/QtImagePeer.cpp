#include "platform/qt/QtImagePeer.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

// Qt's raster painter hands fills and blends of 96 rows or more to the global thread pool,
// whose threads then stay around; a picture over the deck's whole face would start two of
// them for its first paint, and again after each time they have gone. Rows drawn in bands
// fewer than that stay on this thread, and the result is the same, pixel for pixel.
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
  void paintEvent(QPaintEvent* e) override {
    if (picture_.isNull()) return;
    const QImage& shown = stretch_ ? Stretched() : picture_;
    QPainter p(this);
    // The region to paint is what the controls above leave uncovered. Clipped to all of
    // it, a paint goes span by span, which Qt hands to its pool too; clipped to one of its
    // rectangles at a time, it is a plain copy.
    for (const QRect& r : e->region()) {
      const QRect area = r & shown.rect();
      for (int top = area.top(); top <= area.bottom(); top += kBandRows) {
        const QRect band(area.left(), top, area.width(), std::min(kBandRows, area.bottom() + 1 - top));
        p.setClipRect(band);
        p.drawImage(band.topLeft(), shown, band);
      }
    }
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
