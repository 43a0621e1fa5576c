// The event loop of the running program: Qt's own, with the platform's timers as QTimers
// and posted work as queued calls.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "platform/messages/EventLoop.h"

class QTimer;

namespace platform::qt {

class QtEventLoop : public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;
  QtEventLoop(const QtEventLoop&) = delete;
  QtEventLoop& operator=(const QtEventLoop&) = delete;

  std::uint64_t Now() const override;
  TimerId AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) override;
  void RemoveTimer(TimerId id) override;
  void Post(std::function<void()> fn) override;
  int Run() override;
  void Quit(int exitCode) override;

  // Stops every timer; for the end of the program, before Qt goes away.
  void Shutdown();
  std::size_t ActiveTimers() const { return timers_.size(); }

 private:
  struct Timer {
    QTimer* timer;
    bool repeat;
    std::shared_ptr<std::function<void()>> fn;
  };
  void Fire(TimerId id);
  void Drop(std::map<TimerId, Timer>::iterator it);

  QElapsedTimer clock_;
  // Owns the timers and receives the posted calls, so that both end with the loop.
  std::unique_ptr<QObject> context_;
  std::map<TimerId, Timer> timers_;
  TimerId nextId_ = 1;
  int running_ = 0;
  bool quitEarly_ = false;
  int earlyExitCode_ = 0;
};

}  // namespace platform::qt
