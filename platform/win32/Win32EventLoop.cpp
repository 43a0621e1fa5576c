#include "platform/win32/Win32EventLoop.h"

#include <utility>

#include "platform/win32/Win32Keys.h"

namespace platform::win32 {

namespace {

constexpr UINT kRunPosted = WM_APP + 0x101;
const wchar_t kClass[] = L"PlumeEventLoop";

}  // namespace

Win32EventLoop::Win32EventLoop() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32EventLoop::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
  // A message-only window: never shown, not enumerated, only a target for messages.
  window_ = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32EventLoop::~Win32EventLoop() {
  if (window_) (::DestroyWindow)(window_);
}

std::uint64_t Win32EventLoop::Now() const { return GetTickCount64(); }

EventLoop::TimerId Win32EventLoop::AddTimer(std::uint32_t intervalMs, bool repeat, std::function<void()> fn) {
  const TimerId id = next_++;
  timers_[id] = Timer{repeat, std::move(fn)};
  // The system's timers fire no faster than USER_TIMER_MINIMUM; zero means "at once".
  (::SetTimer)(window_, static_cast<UINT_PTR>(id), intervalMs == 0 ? USER_TIMER_MINIMUM : intervalMs, nullptr);
  return id;
}

void Win32EventLoop::RemoveTimer(TimerId id) {
  if (timers_.erase(id)) (::KillTimer)(window_, static_cast<UINT_PTR>(id));
}

void Win32EventLoop::Post(std::function<void()> fn) {
  posted_.push_back(std::move(fn));
  if (!wakePending_) {
    wakePending_ = true;
    (::PostMessageW)(window_, kRunPosted, 0, 0);
  }
}

int Win32EventLoop::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (RouteKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void Win32EventLoop::Quit(int exitCode) { PostQuitMessage(exitCode); }

void Win32EventLoop::RunPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (RouteKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  RunPosted();
}

void Win32EventLoop::RunPosted() {
  wakePending_ = false;
  // Work posted while this runs waits for the next round, after the messages queued now.
  auto batch = std::exchange(posted_, {});
  for (auto& fn : batch) DispatchSafely(fn);
}

void Win32EventLoop::OnTimer(UINT_PTR id) {
  auto it = timers_.find(static_cast<TimerId>(id));
  if (it == timers_.end()) return;
  auto fn = it->second.fn;
  if (!it->second.repeat) RemoveTimer(it->first);
  DispatchSafely(fn);
}

LRESULT CALLBACK Win32EventLoop::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* loop = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (loop != nullptr) {
    if (msg == WM_TIMER) {
      loop->OnTimer(wParam);
      return 0;
    }
    if (msg == kRunPosted) {
      loop->RunPosted();
      return 0;
    }
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace platform::win32
