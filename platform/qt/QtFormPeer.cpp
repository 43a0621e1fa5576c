#include "platform/qt/QtFormPeer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <algorithm>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtX11.h"

namespace platform::qt {

namespace {

class FormWidget : public QWidget, public PeerLink {
 public:
  FormWidget() : QWidget(nullptr, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
  }

  // Set while the program itself moves or sizes the window, which is no news to the form.
  bool applying = false;
  // The outer frame last set or reported, so the same geometry is not reported twice.
  QRect lastOuter;
  QMargins margins;  // the frame last seen around the window (see FrameMargins)
  QString iconName;

  void ApplyIconName() {
    // The name is a property of the native window, which exists only once the window has
    // been shown (and again after Qt recreates it).
    if (!testAttribute(Qt::WA_WState_Created)) return;
    // Windows that never had a name of their own are left as Qt made them.
    if (iconName.isEmpty() && !ownsIconName_) return;
    ownsIconName_ = !iconName.isEmpty();
    SetX11IconName(this, iconName.isEmpty() ? windowTitle() : iconName);
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (Ask([](ui::PeerHandler& h) { return h.PeerCloseRequest(); }, true)) {
      e->accept();
    } else {
      e->ignore();
    }
  }

  void keyPressEvent(QKeyEvent* e) override {
    const ui::ShiftState s = ShiftStateOf(e->modifiers(), QGuiApplication::mouseButtons());
    const ui::Key key = KeyOf(e->key());
    bool used = false;
    if (key != ui::Key::Other) used = Ask([&](ui::PeerHandler& h) { return h.PeerKey(key, s); }, false);
    const QString text = e->text();
    if (!used && !text.isEmpty() && text.front().isPrint()) {
      const char32_t ch = text.toUcs4().value(0);
      used = Ask([&](ui::PeerHandler& h) { return h.PeerChar(ch, s); }, false);
    }
    if (used) {
      e->accept();
    } else {
      QWidget::keyPressEvent(e);
    }
  }

  void moveEvent(QMoveEvent* e) override {
    QWidget::moveEvent(e);
    ReportGeometry();
  }

  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    ReportGeometry();
  }

  bool event(QEvent* e) override {
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WinIdChange || e->type() == QEvent::Show) ApplyIconName();
    return result;
  }

 private:
  void ReportGeometry() {
    if (applying || !isVisible()) return;
    const QRect outer = frameGeometry();
    if (outer == lastOuter) return;
    lastOuter = outer;
    Notify([&](ui::PeerHandler& h) { h.PeerMoved(outer.x(), outer.y(), outer.width(), outer.height()); });
  }

  bool ownsIconName_ = false;
};

}  // namespace

QtFormPeer::QtFormPeer(QtBackend* backend, ui::PeerHandler* handler)
    : QtControl(new FormWidget, handler, Kind::Form), backend_(backend) {
  ApplyFlags();
  if (backend_) backend_->FormCreated(this);
}

QtFormPeer::~QtFormPeer() {
  if (backend_) backend_->FormDestroyed(this);
}

bool QtFormPeer::Sizeable() const {
  return style_ == ui::BorderStyle::Sizeable || style_ == ui::BorderStyle::SizeToolWin;
}

void QtFormPeer::ApplyFlags() {
  auto* w = As<FormWidget>();
  if (!w) return;
  const bool menu = icons_.systemMenu;
  Qt::WindowFlags f;
  switch (style_) {
    case ui::BorderStyle::None: f = Qt::Window | Qt::FramelessWindowHint; break;
    case ui::BorderStyle::Dialog:
      f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (menu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      break;
    case ui::BorderStyle::ToolWindow:
    case ui::BorderStyle::SizeToolWin:
      // Tool windows have a close box and nothing else.
      f = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (menu) f |= Qt::WindowCloseButtonHint;
      break;
    case ui::BorderStyle::Single:
    case ui::BorderStyle::Sizeable:
      // Without the system menu there are no title-bar buttons at all, not even the close
      // box, as on the original system.
      f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (menu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (menu && icons_.minimize) f |= Qt::WindowMinimizeButtonHint;
      if (menu && icons_.maximize) f |= Qt::WindowMaximizeButtonHint;
      break;
  }
  if (f == w->windowFlags()) return;
  // Changing the flags hides the window; it comes back as it was.
  const bool wasVisible = w->isVisible();
  w->setWindowFlags(f);
  if (wasVisible) w->show();
}

void QtFormPeer::ApplyClientSize(int width, int height) {
  auto* w = As<FormWidget>();
  if (!w) return;
  width = std::max(0, width);
  height = std::max(0, height);
  if (Sizeable()) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(width, height);
  } else {
    w->setFixedSize(width, height);
  }
}

void QtFormPeer::SetBounds(int left, int top, int width, int height) {
  auto* w = As<FormWidget>();
  if (!w) return;
  int l = 0, t = 0, r = 0, b = 0;
  FrameMargins(l, t, r, b);
  w->applying = true;
  // A window's position is that of its frame; its size is that of the client area. A
  // hidden window that has been framed before is mapped again with its client area at the
  // place asked for (the window manager does not move it by the frame a second time), so
  // the frame is added here; a window never shown has no frame yet and is placed by it.
  if (!w->isVisible() && (l != 0 || t != 0)) {
    w->move(left + l, top + t);
  } else {
    w->move(left, top);
  }
  ApplyClientSize(width - l - r, height - t - b);
  w->applying = false;
  w->lastOuter = w->frameGeometry();
}

void QtFormPeer::SetClientSize(int width, int height) {
  auto* w = As<FormWidget>();
  if (!w) return;
  w->applying = true;
  ApplyClientSize(width, height);
  w->applying = false;
  w->lastOuter = w->frameGeometry();
}

void QtFormPeer::FrameMargins(int& left, int& top, int& right, int& bottom) {
  left = top = right = bottom = 0;
  auto* w = As<FormWidget>();
  if (!w) return;
  // Qt knows the frame once the window manager has framed the window; until then (and
  // without a window manager) the frame is taken as none. Qt forgets it while the window
  // is hidden, but the window manager will frame the window alike when it comes back, so
  // the frame last seen holds for a hidden window.
  if (w->isVisible()) {
    const QRect frame = w->frameGeometry(), client = w->geometry();
    w->margins = QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                          frame.bottom() - client.bottom());
  }
  left = w->margins.left();
  top = w->margins.top();
  right = w->margins.right();
  bottom = w->margins.bottom();
}

void QtFormPeer::SetVisible(bool visible) { ShowWindow(visible, visible); }

void QtFormPeer::SetText(const std::string& text) {
  auto* w = As<FormWidget>();
  if (!w) return;
  w->setWindowTitle(ToQString(text));
  w->ApplyIconName();
}

void QtFormPeer::SetBackground(ui::Rgb color, bool) {
  // A window always paints its background.
  if (auto* w = Widget()) SetFill(w, ToQColor(color), true);
}

void QtFormPeer::SetFocus() {
  auto* w = Widget();
  if (!w) return;
  w->activateWindow();
  w->setFocus(Qt::OtherFocusReason);
}

void QtFormPeer::SetBorder(ui::BorderStyle style, ui::BorderIcons icons) {
  style_ = style;
  icons_ = icons;
  ApplyFlags();
  if (auto* w = Widget()) SetClientSize(w->width(), w->height());
}

void QtFormPeer::SetIcon(const ui::Image& icon) {
  auto* w = Widget();
  if (!w) return;
  const QImage image = ToQImage(icon);
  w->setWindowIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
}

void QtFormPeer::ShowWindow(bool visible, bool activate) {
  auto* w = Widget();
  if (!w) return;
  if (!visible) {
    w->hide();
    return;
  }
  const bool wasVisible = w->isVisible();
  w->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
  w->show();
  if (activate) {
    // A window that has just appeared is on top already.
    if (wasVisible) w->raise();
    w->activateWindow();
  }
  // Qt sends its requests when the event loop next waits; a window that appears is asked
  // for now, so the server and the window manager put it up while the program goes on
  // with whatever comes before that wait (at start-up, making the other windows).
  if (!wasVisible) FlushX11Requests();
}

void QtFormPeer::BringToFront() {
  auto* w = Widget();
  if (!w || !w->isVisible()) return;
  w->raise();
  w->activateWindow();
}

void QtFormPeer::SetWindowState(int state) {
  auto* w = Widget();
  if (!w) return;
  const Qt::WindowStates keep = w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  switch (state) {
    case 1: w->setWindowState(keep | Qt::WindowMinimized); break;
    case 2: w->setWindowState(keep | Qt::WindowMaximized); break;
    default: w->setWindowState(keep); break;
  }
}

void QtFormPeer::SetIconName(const QString& name) {
  auto* w = As<FormWidget>();
  if (!w) return;
  w->iconName = name;
  w->ApplyIconName();
}

}  // namespace platform::qt
