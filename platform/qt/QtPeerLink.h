// The link from a native widget back to the control it shows. Each widget class of the
// peers carries one; the peer cuts it when it goes, so a widget that outlives its peer for a
// moment (see DispatchScope) calls nobody.
#pragma once

#include <QEvent>
#include <utility>

#include "platform/ui/Peers.h"

namespace platform::qt {

// Counts the calls into the framework in progress. A handler may free the very control
// whose widget is delivering the event (a button that closes and frees its window); while
// any call is in progress, peers leave their widgets for Qt to delete later.
class DispatchScope {
 public:
  DispatchScope() { ++depth_; }
  ~DispatchScope() { --depth_; }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
  static bool Active() { return depth_ > 0; }

 private:
  static inline int depth_ = 0;
};

class PeerLink {
 public:
  void SetHandler(ui::PeerHandler* handler) { handler_ = handler; }
  ui::PeerHandler* Handler() const { return handler_; }

  // Calls f(handler) when the control is still there.
  template <class F>
  void Notify(F&& f) {
    if (!handler_) return;
    DispatchScope scope;
    std::forward<F>(f)(*handler_);
  }

  // The same for questions; fallback when the control is gone.
  template <class F>
  bool Ask(F&& f, bool fallback) {
    if (!handler_) return fallback;
    DispatchScope scope;
    return std::forward<F>(f)(*handler_);
  }

  // Reports the mouse events of drawn controls (press, move, release, double click, leave)
  // in client coordinates; true when the event was one of them.
  bool ForwardMouse(QEvent* event);

 private:
  ui::PeerHandler* handler_ = nullptr;
};

}  // namespace platform::qt
