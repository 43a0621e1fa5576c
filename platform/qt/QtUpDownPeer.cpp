#include "platform/qt/QtUpDownPeer.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace platform::qt {

namespace {

class UpDownWidget : public QWidget, public PeerLink {
 public:
  explicit UpDownWidget(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
      // The arrows never take the focus from the field they serve; held down, they repeat.
      b->setFocusPolicy(Qt::NoFocus);
      b->setAutoRepeat(true);
      b->setAutoRepeatDelay(400);
      b->setAutoRepeatInterval(80);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  }

  int min = 0;
  int max = 100;
  int increment = 1;
  bool wrap = false;
  int position = 0;

  int Clamped(int p) const { return std::clamp(p, std::min(min, max), std::max(min, max)); }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
  }

  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Up) {
      Step(1);
    } else if (e->key() == Qt::Key_Down) {
      Step(-1);
    } else {
      QWidget::keyPressEvent(e);
    }
  }

 private:
  // Up moves towards Max, even when Max is the smaller end of the range.
  void Step(int direction) {
    const long long low = std::min(min, max), high = std::max(min, max);
    const long long sign = max >= min ? direction : -direction;
    long long next = static_cast<long long>(position) + sign * increment;
    if (next > high) next = wrap ? low : high;
    if (next < low) next = wrap ? high : low;
    if (next == position) return;
    position = static_cast<int>(next);
    const int p = position;
    Notify([p](ui::PeerHandler& h) { h.PeerPosition(p); });
  }

  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace

QtUpDownPeer::QtUpDownPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new UpDownWidget(parent), handler, Kind::Windowed) {}

void QtUpDownPeer::SetRange(int min, int max, int increment, bool wrap) {
  auto* w = As<UpDownWidget>();
  if (!w) return;
  w->min = min;
  w->max = max;
  w->increment = increment;
  w->wrap = wrap;
  w->position = w->Clamped(w->position);
}

void QtUpDownPeer::SetPosition(int position) {
  if (auto* w = As<UpDownWidget>()) w->position = w->Clamped(position);
}

}  // namespace platform::qt
