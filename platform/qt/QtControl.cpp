#include "platform/qt/QtControl.h"

#include <QKeyEvent>
#include <QPalette>
#include <algorithm>
#include <climits>
#include <unordered_map>
#include <vector>

#include "platform/qt/QtConversions.h"
#include "platform/qt/QtFonts.h"

namespace platform::qt {

namespace {

// What the peers know of their widgets, by widget: which widgets are peers' (stacking and tab
// order must tell them from the parts Qt's own widgets are made of), their kind, tab order
// and the order they were made and given a place in. Kept beside the widgets rather than as
// Qt's dynamic properties, whose every lookup searches the widget's whole class by name.
struct PeerMarks {
  bool windowed = false;
  int tabOrder = INT_MAX;
  qulonglong tabStamp = 0;
  qulonglong sequence = 0;
};

std::unordered_map<const QObject*, PeerMarks>& Marks() {
  static std::unordered_map<const QObject*, PeerMarks> marks;
  return marks;
}

const PeerMarks* MarksOf(const QObject* o) {
  const auto it = Marks().find(o);
  return it == Marks().end() ? nullptr : &it->second;
}

qulonglong NextSequence() {
  static qulonglong next = 0;
  return ++next;
}

bool IsWindowedWidget(const QObject* o) {
  const PeerMarks* m = MarksOf(o);
  return m && m->windowed;
}

// Enter and Esc belong to the form's default and cancel buttons, and Alt with a character
// to its accelerators; a child control must not use them up.
bool IsFormKey(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return true;
    default: break;
  }
  const auto mods = e->modifiers();
  return mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) && !e->text().isEmpty() &&
         e->text().front().isPrint();
}

// Reports focus changes and passes the form's keys on to the form.
class ChildEvents : public QObject {
 public:
  explicit ChildEvents(PeerLink* link) : link_(link) {}

  bool eventFilter(QObject* watched, QEvent* e) override {
    switch (e->type()) {
      case QEvent::KeyPress:
        if (IsFormKey(static_cast<QKeyEvent*>(e))) {
          // Ignored, the event travels up the parents to the form.
          e->ignore();
          return true;
        }
        break;
      case QEvent::FocusIn: link_->Notify([](ui::PeerHandler& h) { h.PeerFocus(true); }); break;
      case QEvent::FocusOut: link_->Notify([](ui::PeerHandler& h) { h.PeerFocus(false); }); break;
      default: break;
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  PeerLink* link_;
};

// The peer widgets directly under a container, looking through the inner parts of Qt's
// compound widgets (the stack of a tab widget, for one).
void PeerChildren(QWidget* container, std::vector<QWidget*>& out) {
  for (QObject* o : container->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    if (MarksOf(w)) {
      out.push_back(w);
    } else {
      PeerChildren(w, out);
    }
  }
}

// The window's focus chain, depth first: each container's controls in their tab order, each
// followed by the controls inside it.
void CollectFocusChain(QWidget* container, std::vector<QWidget*>& chain) {
  std::vector<QWidget*> children;
  PeerChildren(container, children);
  std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
    const PeerMarks &ma = *MarksOf(a), &mb = *MarksOf(b);
    if (ma.tabOrder != mb.tabOrder) return ma.tabOrder < mb.tabOrder;
    // Of two controls given the same place, the one given it last takes it and pushes the
    // other on, as setting a tab order does on the original system.
    if (ma.tabStamp != mb.tabStamp) return ma.tabStamp > mb.tabStamp;
    return ma.sequence < mb.sequence;
  });
  for (QWidget* c : children) {
    // Qt leaves widgets that take no focus out of the chain it keeps.
    if (c->focusPolicy() != Qt::NoFocus) chain.push_back(c);
    CollectFocusChain(c, chain);
  }
}

void BuildTabChain(QWidget* window) {
  std::vector<QWidget*> chain;
  CollectFocusChain(window, chain);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// Builds a hidden window's focus chain when it is first shown. Windows are made hidden,
// one control after another; building the whole chain again for each control would cost
// every start-up a pass over the window per control, for a chain nobody can use yet.
class ChainOnShow : public QObject {
 public:
  static constexpr const char* kName = "plumeChainOnShow";

  explicit ChainOnShow(QWidget* window) : QObject(window) {
    setObjectName(kName);
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show && watched == parent()) {
      auto* window = static_cast<QWidget*>(parent());
      window->removeEventFilter(this);
      // Found no more: a window hidden again before this goes gets a filter of its own.
      setObjectName(QString());
      deleteLater();
      BuildTabChain(window);
    }
    return false;
  }
};

void RebuildTabChain(QWidget* window) {
  if (window->isVisible()) {
    BuildTabChain(window);
  } else if (!window->findChild<QObject*>(ChainOnShow::kName, Qt::FindDirectChildrenOnly)) {
    new ChainOnShow(window);
  }
}

}  // namespace

QtControl::QtControl(QWidget* widget, PeerLink* link, ui::PeerHandler* handler, Kind kind)
    : widget_(widget), link_(link), kind_(kind), focusable_(kind == Kind::Windowed) {
  link_->SetHandler(handler);
  PeerMarks& marks = Marks()[widget];
  marks = PeerMarks{};
  marks.windowed = kind == Kind::Windowed;
  marks.sequence = NextSequence();
  // A widget Qt deletes with its parent goes before its peer does.
  QObject::connect(widget, &QObject::destroyed, [](QObject* o) { Marks().erase(o); });
  if (kind == Kind::Windowed) {
    events_ = std::make_unique<ChildEvents>(link_);
    widget->installEventFilter(events_.get());
  }
  if (kind == Kind::Windowed || kind == Kind::Drawn) {
    PlaceInStack();
    // Controls are visible until told otherwise; a child made after its window was shown
    // would stay hidden without this. The control's bounds come from the framework: a child
    // shown before it has been given a size would be sized to fit its contents first, and
    // for text that means asking the font database before anything is drawn.
    if (widget->parentWidget()) {
      widget->setAttribute(Qt::WA_Resized);
      widget->show();
    }
  }
  ApplyFocusPolicy();
  // Qt puts a new widget anywhere in the chain; it belongs after the controls that have
  // an order, until it is given one.
  if (kind == Kind::Windowed && widget->parentWidget()) RebuildTabChain(widget->window());
}

QtControl::~QtControl() {
  if (!widget_) return;
  Marks().erase(widget_.data());
  link_->SetHandler(nullptr);
  if (events_) widget_->removeEventFilter(events_.get());
  if (DispatchScope::Active()) {
    // Qt may still be inside this widget's event handler; it goes when the handler is done.
    widget_->hide();
    widget_->deleteLater();
  } else {
    delete widget_.data();
  }
}

bool QtControl::IsPeerWidget(const QObject* o) { return MarksOf(o) != nullptr; }

QWidget* QtControl::ClientOf(ui::ControlPeer* parent) {
  auto* c = dynamic_cast<QtControl*>(parent);
  return c ? c->ClientWidget() : nullptr;
}

void QtControl::SetBounds(int left, int top, int width, int height) {
  if (auto* w = Widget()) w->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void QtControl::SetVisible(bool visible) {
  auto* w = Widget();
  // A control without a parent would turn into a window of its own when shown.
  if (w && (w->parentWidget() || kind_ == Kind::Form)) w->setVisible(visible);
}

void QtControl::SetEnabled(bool enabled) {
  if (auto* w = Widget()) w->setEnabled(enabled);
}

void QtControl::SetText(const std::string&) {}

void QtControl::SetHint(const std::string& hint) {
  if (auto* w = Widget()) w->setToolTip(ToQString(hint));
}

void QtControl::SetFont(const ui::FontSpec& font) {
  auto* w = Widget();
  if (!w) return;
  w->setFont(MakeQFont(font));
  SetTextColor(w, ToQColor(font.color));
}

void QtControl::SetBackground(ui::Rgb color, bool opaque) {
  if (auto* w = Widget()) SetFill(w, ToQColor(color), opaque);
}

void QtControl::Invalidate() {
  if (auto* w = Widget()) w->update();
}

void QtControl::Repaint() {
  if (auto* w = Widget()) w->repaint();
}

void QtControl::SetFocus() {
  if (auto* w = Widget()) w->setFocus(Qt::OtherFocusReason);
}

void QtControl::SetTabOrder(int order) {
  auto* w = Widget();
  if (!w || kind_ != Kind::Windowed) return;
  PeerMarks& marks = Marks()[w];
  marks.tabOrder = order;
  marks.tabStamp = NextSequence();
  RebuildTabChain(w->window());
}

void QtControl::SetTabStop(bool stop) {
  tabStop_ = stop;
  ApplyFocusPolicy();
}

void QtControl::RaiseToTop() {
  auto* w = Widget();
  if (!w) return;
  if (kind_ == Kind::Page) return;
  if (kind_ == Kind::Form) {
    w->raise();
    return;
  }
  PlaceInStack();
}

void QtControl::SetTakesFocus(bool focusable) {
  focusable_ = focusable;
  ApplyFocusPolicy();
}

Qt::FocusPolicy QtControl::FocusPolicyFor(bool focusable, bool tabStop) const {
  if (!focusable) return Qt::NoFocus;
  return tabStop ? Qt::StrongFocus : Qt::ClickFocus;
}

void QtControl::ApplyFocusPolicy() {
  if (kind_ == Kind::Form) return;
  auto* w = Widget();
  if (!w) return;
  const Qt::FocusPolicy policy = FocusPolicyFor(focusable_, tabStop_);
  const bool joins = w->focusPolicy() == Qt::NoFocus && policy != Qt::NoFocus;
  w->setFocusPolicy(policy);
  // A control that starts taking the focus takes its place in the window's chain.
  if (joins && w->parentWidget()) RebuildTabChain(w->window());
}

void QtControl::SetTextColor(QWidget* widget, const QColor& color) {
  QPalette p = widget->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::WindowText, color);
    p.setColor(group, QPalette::Text, color);
    p.setColor(group, QPalette::ButtonText, color);
  }
  const QColor grey(128, 128, 128);
  p.setColor(QPalette::Disabled, QPalette::WindowText, grey);
  p.setColor(QPalette::Disabled, QPalette::Text, grey);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
  widget->setPalette(p);
}

void QtControl::SetFill(QWidget* widget, const QColor& color, bool opaque) {
  if (opaque) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
  }
  widget->setAutoFillBackground(opaque);
}

void QtControl::PlaceInStack() {
  QWidget* w = Widget();
  QWidget* parent = w ? w->parentWidget() : nullptr;
  if (!parent) return;
  if (kind_ != Kind::Drawn) {
    w->raise();
    return;
  }
  // Lowest windowed sibling first: the drawn control goes right under it.
  for (QObject* o : parent->children()) {
    auto* sibling = qobject_cast<QWidget*>(o);
    if (sibling && sibling != w && IsWindowedWidget(sibling)) {
      w->stackUnder(sibling);
      return;
    }
  }
  w->raise();
}

void QtControl::SetName(const std::string& name) {
  if (QWidget* w = Widget()) w->setObjectName(QString::fromStdString(name));
}

}  // namespace platform::qt
