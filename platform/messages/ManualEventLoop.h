// An event loop on a virtual clock for tests: time moves only when the test advances it,
// and then exactly the timers that fall due and the messages posted meanwhile run.
#pragma once

#include <deque>
#include <map>
#include <mutex>

#include "platform/messages/EventLoop.h"

namespace platform {

class ManualEventLoop : public EventLoop {
 public:
  std::uint64_t Now() const override { return now_; }
  TimerId AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) override;
  void RemoveTimer(TimerId id) override;
  void Post(std::function<void()> fn) override;

  // Runs the posted work, then advances the clock by the time given in ms.
  int Run() override;
  void Quit(int exitCode) override;

  // Moves the clock forward by ms, running every timer that falls due (in order of due
  // time, at its due time) and all posted work, including work posted meanwhile.
  void Advance(std::uint64_t ms);

  // Runs the posted work without moving the clock.
  void RunPosted();

  // Advances in steps of stepMs until pred() holds or maxMs have passed; true if it held.
  bool AdvanceUntil(const std::function<bool()>& pred, std::uint64_t maxMs, std::uint64_t stepMs = 10);

  std::size_t PendingPosts() const {
    std::lock_guard lock(postMutex_);
    return posted_.size();
  }
  std::size_t ActiveTimers() const { return timers_.size(); }

 private:
  struct Timer {
    std::uint64_t due;
    std::uint32_t interval;
    bool repeat;
    std::function<void()> fn;
  };

  std::uint64_t now_ = 0;
  TimerId nextId_ = 1;
  std::map<TimerId, Timer> timers_;
  // Work may be posted from other threads (a sound output's end of play); it runs here.
  mutable std::mutex postMutex_;
  std::deque<std::function<void()>> posted_;
  bool quit_ = false;
  int exitCode_ = 0;
};

}  // namespace platform
