// What every peer does with its widget: geometry, visibility, text colour and font, hints,
// focus, tab order and stacking. The peers of each kind add their own behaviour on top.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/qt/QtPeerLink.h"
#include "platform/ui/Peers.h"

namespace platform::qt {

class QtControl : public virtual ui::ControlPeer {
 public:
  // Windowed controls (lists, buttons, edits, panels ...) always lie above drawn ones
  // (labels, images, custom controls) of the same parent, as on the original system, where
  // drawn controls are painted by their parent window under its child windows.
  enum class Kind { Form, Windowed, Drawn, Page };

  ~QtControl() override;
  QtControl(const QtControl&) = delete;
  QtControl& operator=(const QtControl&) = delete;

  // The widget; nullptr once Qt has deleted it with its parent.
  QWidget* Widget() const { return widget_.data(); }
  // The widget children of this control are made in.
  virtual QWidget* ClientWidget() const { return widget_.data(); }
  // Whether a widget is a peer's own, rather than a part of one of Qt's compound widgets.
  static bool IsPeerWidget(const QObject* o);
  // The client widget of a parent peer handed over by the framework.
  static QWidget* ClientOf(ui::ControlPeer* parent);

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  void SetHint(const std::string& hint) override;
  void SetFont(const ui::FontSpec& font) override;
  void SetBackground(ui::Rgb color, bool opaque) override;
  void Invalidate() override;
  void Repaint() override;
  void SetFocus() override;
  void SetTabOrder(int order) override;
  void SetTabStop(bool stop) override;
  void RaiseToTop() override;
  void SetName(const std::string& name) override;

 protected:
  template <class W>
  QtControl(W* widget, ui::PeerHandler* handler, Kind kind)
      : QtControl(static_cast<QWidget*>(widget), static_cast<PeerLink*>(widget), handler, kind) {}

  // The widget as its own class; nullptr once it is gone.
  template <class W>
  W* As() const {
    return static_cast<W*>(widget_.data());
  }

  Kind kind() const { return kind_; }
  void SetTakesFocus(bool focusable);
  // The focus a widget takes: tab stops from the keyboard and the mouse, other windowed
  // controls from the mouse only.
  virtual Qt::FocusPolicy FocusPolicyFor(bool focusable, bool tabStop) const;
  void ApplyFocusPolicy();

  // Puts the text colour into every role a widget may paint text with; disabled text
  // keeps the system's grey.
  static void SetTextColor(QWidget* widget, const QColor& color);
  // Fills the widget's background with color, or lets the parent show through.
  static void SetFill(QWidget* widget, const QColor& color, bool opaque);

 private:
  QtControl(QWidget* widget, PeerLink* link, ui::PeerHandler* handler, Kind kind);
  // Places a new or raised control on top of its own kind and, for drawn ones, under
  // every windowed sibling.
  void PlaceInStack();

  QPointer<QWidget> widget_;
  PeerLink* link_;
  Kind kind_;
  bool focusable_;
  bool tabStop_ = true;
  std::unique_ptr<QObject> events_;
};

}  // namespace platform::qt
