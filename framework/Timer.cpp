#include "framework/Timer.h"

#include <utility>

#include "framework/UtilityWindow.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  window_ = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == WM_TIMER && onTimer_) {
      // Copy the handler: it may replace itself while it runs.
      auto handler = onTimer_;
      handler(this);
    }
  });
}

TTimer::~TTimer() {
  KillTimer(window_, kTimerId);
  DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ != 0 && onTimer_) SetTimer(window_, kTimerId, interval_, nullptr);
}
