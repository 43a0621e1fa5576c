// Window handles, window procedures, posted and sent messages, timers and the tick count.
// Hidden message windows live here; the windowing backend registers its top-level windows
// in the same table so that every handle is answered the same way.
#pragma once

#include <functional>

#include "platform/WinTypes.h"

#ifndef _WIN32
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_USER = 0x0400;
// Messages above this one are the program's own, whatever the window.
constexpr UINT WM_APP = 0x8000;

// The system's timer callback; ours deliver WM_TIMER only, so it is always null here.
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
#endif

#ifdef _WIN32
#define DestroyWindow(...) PLUME_HOOK(DestroyWindow)(__VA_ARGS__)
#define IsWindow(...) PLUME_HOOK(IsWindow)(__VA_ARGS__)
#define PostMessageA(...) PLUME_HOOK(PostMessageA)(__VA_ARGS__)
#define SendMessageA(...) PLUME_HOOK(SendMessageA)(__VA_ARGS__)
#define SetTimer(...) PLUME_HOOK(SetTimer)(__VA_ARGS__)
#define KillTimer(...) PLUME_HOOK(KillTimer)(__VA_ARGS__)
#define GetTickCount(...) PLUME_HOOK(GetTickCount)(__VA_ARGS__)
#endif

// The procedure of a message window: any callable, not only a plain function.
using MessageProc = std::function<LRESULT(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)>;

// Creates a hidden window that only receives messages; its procedure gets every message
// posted or sent to it. Returns nullptr only when the handle space is exhausted.
HWND CreateMessageWindow(MessageProc proc);

// Releases a window. Messages still queued for it are dropped, its timers are killed.
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);

// Queues a message for the window; FALSE for a handle that names no window.
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Calls the window's procedure at once and returns its result; 0 for an unknown handle.
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Starts (or restarts, for the same window and id) a timer that sends WM_TIMER with the
// id as wParam to the window every uElapse ms. Returns the id, or 0 on failure (also for a
// callback, which message windows do not take).
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// Milliseconds on the current event loop's clock.
DWORD GetTickCount();
