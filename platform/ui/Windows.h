// Top-level window services of the original system: placement, message boxes and the
// screens, answered by the framework's forms and the windowing backend.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

#ifdef _WIN32
// Placement and message boxes go through the windows the framework's forms made.
#define GetWindowPlacement(...) PLUME_HOOK(GetWindowPlacement)(__VA_ARGS__)
#define SetWindowPlacement(...) PLUME_HOOK(SetWindowPlacement)(__VA_ARGS__)
#define MessageBoxA(...) PLUME_HOOK(MessageBoxA)(__VA_ARGS__)
#else
struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};

constexpr UINT SW_HIDE = 0;
constexpr UINT SW_SHOWNORMAL = 1;
constexpr UINT SW_SHOWMINIMIZED = 2;
constexpr UINT SW_SHOWMAXIMIZED = 3;

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
#endif

// A window that can report and take its placement registers itself here.
class PlacementProvider {
 public:
  virtual ~PlacementProvider() = default;
  virtual void GetPlacement(WINDOWPLACEMENT& wp) = 0;
  virtual void SetPlacement(const WINDOWPLACEMENT& wp) = 0;
};

void RegisterPlacementProvider(HWND hWnd, PlacementProvider* provider);
void UnregisterPlacementProvider(HWND hWnd);

// FALSE for an unknown window or a record whose length is not sizeof(WINDOWPLACEMENT)
// (44 on the original system, so callers set it before asking).
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl);
// Applies the placement; a restored rectangle that lies entirely off every screen is moved
// onto the nearest one first. A rectangle without a positive width and height, or larger
// than any window can be, keeps its left and top edges and takes the window's own size.
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl);

// The screens' work areas; the backend reports them, headless there is one of 1920 × 1080.
std::vector<RECT> ScreenRects();
void SetScreenSource(std::function<std::vector<RECT>()> source);

// Where a window of the size given stands beside the owner's outer rectangle without
// covering it: to its right, to its left, below or above it, on the screen that holds the
// owner's middle (or the first). The first side with room for the whole window wins; else
// the side with the most room, the window shrunk to it, as long as that leaves at least
// the smallest size given; else nullopt, and the window is best left where it would be.
std::optional<RECT> PlaceBeside(const RECT& owner, LONG width, LONG height, LONG minWidth, LONG minHeight,
                                const std::vector<RECT>& screens);

// Shows a modal message box through the backend. Headless, there is nobody to ask and the
// answer is IDOK.
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// What a message box said, as the observer below is told before the box is shown.
struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT type;
};
using MessageBoxObserver = std::function<void(const MessageBoxRecord&)>;
// Installs the one observer of every message box (an empty function removes it) and
// returns the one installed before, so a caller can put it back.
MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer);
