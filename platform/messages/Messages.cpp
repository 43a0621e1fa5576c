#include "platform/messages/Messages.h"

#include <map>
#include <memory>
#include <utility>

#include "platform/messages/EventLoop.h"

namespace {

struct Window {
  MessageProc proc;
  std::map<UINT_PTR, platform::EventLoop::TimerId> timers;
};

struct WindowTable {
  // Handles are never reused within a run, so a message queued for a destroyed window
  // cannot reach a newer one that happens to get the same number.
  UINT_PTR next = 1;
  std::map<UINT_PTR, std::shared_ptr<Window>> windows;
};

WindowTable& Table() {
  static WindowTable table;
  return table;
}

std::shared_ptr<Window> Find(HWND hWnd) {
  auto& t = Table();
  auto it = t.windows.find(HandleValue(hWnd));
  return it == t.windows.end() ? nullptr : it->second;
}

// On Windows a handle that is none of ours is the system's, and the system answers for it.
#ifdef _WIN32
#define PASS_TO_SYSTEM(call) return (call)
#else
#define PASS_TO_SYSTEM(call) return 0
#endif

}  // namespace

HWND CreateMessageWindow(MessageProc proc) {
  auto& t = Table();
  if (t.next > 0xFFFF) return nullptr;  // callbacks carry only the low word of a handle
  const UINT_PTR value = t.next++;
  t.windows.emplace(value, std::make_shared<Window>(Window{std::move(proc), {}}));
  return HandleFromValue(value);
}

BOOL DestroyWindow(HWND hWnd) {
  auto w = Find(hWnd);
  if (!w) PASS_TO_SYSTEM((::DestroyWindow)(hWnd));
  auto& loop = platform::CurrentEventLoop();
  for (auto& [id, timer] : w->timers) loop.RemoveTimer(timer);
  Table().windows.erase(HandleValue(hWnd));
  return TRUE;
}

BOOL IsWindow(HWND hWnd) {
  if (Find(hWnd)) return TRUE;
  PASS_TO_SYSTEM((::IsWindow)(hWnd));
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!Find(hWnd)) PASS_TO_SYSTEM((::PostMessageA)(hWnd, Msg, wParam, lParam));
  platform::CurrentEventLoop().Post([hWnd, Msg, wParam, lParam] {
    // The window may have gone while the message waited; then it is dropped.
    if (auto w = Find(hWnd)) platform::DispatchSafely([&] { w->proc(hWnd, Msg, wParam, lParam); });
  });
  return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  auto w = Find(hWnd);
  if (!w) PASS_TO_SYSTEM((::SendMessageA)(hWnd, Msg, wParam, lParam));
  // Hold the window while its procedure runs, in case the procedure destroys it.
  return w->proc(hWnd, Msg, wParam, lParam);
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  auto w = Find(hWnd);
  if (!w) PASS_TO_SYSTEM((::SetTimer)(hWnd, nIDEvent, uElapse, lpTimerFunc));
  if (nIDEvent == 0 || lpTimerFunc != nullptr) return 0;
  auto& loop = platform::CurrentEventLoop();
  if (auto it = w->timers.find(nIDEvent); it != w->timers.end()) loop.RemoveTimer(it->second);
  w->timers[nIDEvent] = loop.AddTimer(uElapse, true, [hWnd, nIDEvent] {
    if (auto win = Find(hWnd)) platform::DispatchSafely([&] { win->proc(hWnd, WM_TIMER, nIDEvent, 0); });
  });
  return nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  auto w = Find(hWnd);
  if (!w) PASS_TO_SYSTEM((::KillTimer)(hWnd, uIDEvent));
  auto it = w->timers.find(uIDEvent);
  if (it == w->timers.end()) return FALSE;
  platform::CurrentEventLoop().RemoveTimer(it->second);
  w->timers.erase(it);
  return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(platform::CurrentEventLoop().Now()); }
