#include "platform/messages/ManualEventLoop.h"

#include <limits>
#include <utility>

namespace platform {

EventLoop::TimerId ManualEventLoop::AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) {
  // A zero interval would make a repeating timer fire forever within one instant.
  const std::uint32_t interval = intervalMs == 0 ? 1 : intervalMs;
  const TimerId id = nextId_++;
  timers_.emplace(id, Timer{now_ + interval, interval, repeat, std::move(fn)});
  return id;
}

void ManualEventLoop::RemoveTimer(TimerId id) { timers_.erase(id); }

void ManualEventLoop::Post(std::function<void()> fn) {
  std::lock_guard lock(postMutex_);
  posted_.push_back(std::move(fn));
}

void ManualEventLoop::RunPosted() {
  for (;;) {
    std::function<void()> fn;
    {
      std::lock_guard lock(postMutex_);
      if (posted_.empty()) return;
      fn = std::move(posted_.front());
      posted_.pop_front();
    }
    fn();
  }
}

void ManualEventLoop::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  RunPosted();
  for (;;) {
    // The earliest due timer; ties go to the older timer, as ids grow with age.
    auto next = timers_.end();
    std::uint64_t due = std::numeric_limits<std::uint64_t>::max();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due < due) {
        due = it->second.due;
        next = it;
      }
    }
    if (next == timers_.end() || due > target) break;
    now_ = due;
    // Copy the callback: the timer may remove itself (or others) while it runs.
    auto fn = next->second.fn;
    if (next->second.repeat) {
      next->second.due += next->second.interval;
    } else {
      timers_.erase(next);
    }
    fn();
    RunPosted();
  }
  now_ = target;
}

bool ManualEventLoop::AdvanceUntil(const std::function<bool()>& pred, std::uint64_t maxMs, std::uint64_t stepMs) {
  RunPosted();
  if (pred()) return true;
  for (std::uint64_t spent = 0; spent < maxMs; spent += stepMs) {
    Advance(stepMs);
    if (pred()) return true;
  }
  return false;
}

int ManualEventLoop::Run() {
  // A manual loop has nothing to wait for: it serves what is queued and returns.
  quit_ = false;
  RunPosted();
  return exitCode_;
}

void ManualEventLoop::Quit(int exitCode) {
  quit_ = true;
  exitCode_ = exitCode;
}

}  // namespace platform
