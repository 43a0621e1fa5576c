// The event loop on the system's message queue: timers are the system's timers of a hidden
// window, posted work is a message to it, and Run is the message loop.
#pragma once

#include <deque>
#include <functional>
#include <map>

#include "platform/WinTypes.h"
#include "platform/messages/EventLoop.h"

namespace platform::win32 {

class Win32EventLoop : public EventLoop {
 public:
  Win32EventLoop();
  ~Win32EventLoop() override;
  Win32EventLoop(const Win32EventLoop&) = delete;
  Win32EventLoop& operator=(const Win32EventLoop&) = delete;

  std::uint64_t Now() const override;
  TimerId AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) override;
  void RemoveTimer(TimerId id) override;
  void Post(std::function<void()> fn) override;
  int Run() override;
  void Quit(int exitCode) override;

  // Runs what is due without waiting (tests): posted work and messages already queued.
  void RunPending();

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR id);
  void RunPosted();

  struct Timer {
    bool repeat;
    std::function<void()> fn;
  };
  HWND window_ = nullptr;
  TimerId next_ = 1;
  std::map<TimerId, Timer> timers_;
  std::deque<std::function<void()>> posted_;
  bool wakePending_ = false;
};

}  // namespace platform::win32
