// The event loop that serves posted messages and timers on the one user-interface thread.
// Two implementations exist: Qt's for the running program and a manual loop on a virtual
// clock for tests. Everything the platform schedules goes through the current loop.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>

namespace platform {

class EventLoop {
 public:
  using TimerId = std::uint64_t;

  virtual ~EventLoop() = default;

  // Milliseconds on this loop's clock; it never goes backwards.
  virtual std::uint64_t Now() const = 0;

  // Calls fn every intervalMs (or once, when repeat is false), from the loop.
  virtual TimerId AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) = 0;
  virtual void RemoveTimer(TimerId id) = 0;

  // Queues fn to run from the loop after the work in progress; posted work runs in order.
  virtual void Post(std::function<void()> fn) = 0;

  // Runs until Quit is called; returns the exit code given to Quit.
  virtual int Run() = 0;
  virtual void Quit(int exitCode) = 0;
};

// The loop in force. Until one is installed, a manual loop stands in, so that code which
// creates timers before the application starts does not fail.
EventLoop& CurrentEventLoop();

// Installs a loop and returns the previous one (nullptr: back to the stand-in).
EventLoop* SetEventLoop(EventLoop* loop);

}  // namespace platform

namespace platform {

// Runs fn; an exception it lets escape goes to the installed handler (the application's
// general error report). Without a handler the exception passes on to the caller, which is
// what tests want. Message and timer dispatch go through here.
void DispatchSafely(const std::function<void()>& fn);
void SetExceptionHandler(std::function<void(std::exception_ptr)> handler);

}  // namespace platform
