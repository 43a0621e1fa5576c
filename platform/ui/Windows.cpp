#include "platform/ui/Windows.h"

#include <algorithm>
#include <map>
#include <utility>

#include "platform/ui/Peers.h"

namespace {

std::map<HWND, PlacementProvider*>& Providers() {
  static std::map<HWND, PlacementProvider*> map;
  return map;
}

std::function<std::vector<RECT>()>& ScreenSource() {
  static std::function<std::vector<RECT>()> source;
  return source;
}

// Placements come from files a user (or a damaged disk) may have changed, so every edge
// and every difference of edges is taken in 64 bits: no value of a LONG can overflow here.
// No window system the program runs on makes a window wider or taller than this (X11 keeps
// window sizes and places in 16 bits); a stored size beyond it is damage, not a choice.
constexpr long long kLargestWindow = 32767;

struct Rect64 {
  long long left, top, right, bottom;
};

Rect64 Widened(const RECT& r) { return Rect64{r.left, r.top, r.right, r.bottom}; }

bool Overlaps(const Rect64& a, const Rect64& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Moves r by whole offsets so that it lies inside s as far as its size allows. The size is
// at most kLargestWindow, so the result fits a RECT again.
RECT MovedOnto(const Rect64& r, const Rect64& s) {
  const long long w = r.right - r.left, h = r.bottom - r.top;
  const long long left = std::clamp(r.left, s.left, std::max(s.left, s.right - w));
  const long long top = std::clamp(r.top, s.top, std::max(s.top, s.bottom - h));
  return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + w), static_cast<LONG>(top + h)};
}

// The gaps are below 2^33, so their squares and sum stay well inside 64 bits.
long long DistanceSquared(const Rect64& r, const Rect64& s) {
  const long long dx = r.right <= s.left ? s.left - r.right + 1 : (r.left >= s.right ? r.left - s.right + 1 : 0);
  const long long dy = r.bottom <= s.top ? s.top - r.bottom + 1 : (r.top >= s.bottom ? r.top - s.bottom + 1 : 0);
  return dx * dx + dy * dy;
}

}  // namespace

void RegisterPlacementProvider(HWND hWnd, PlacementProvider* provider) { Providers()[hWnd] = provider; }

void UnregisterPlacementProvider(HWND hWnd) { Providers().erase(hWnd); }

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
  auto it = Providers().find(hWnd);
#ifdef _WIN32
  // A window of the system's: the system knows its placement.
  if (it == Providers().end()) return (::GetWindowPlacement)(hWnd, lpwndpl);
#endif
  if (it == Providers().end() || lpwndpl == nullptr || lpwndpl->length != sizeof(WINDOWPLACEMENT)) return FALSE;
  it->second->GetPlacement(*lpwndpl);
  lpwndpl->length = sizeof(WINDOWPLACEMENT);
  return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
  auto it = Providers().find(hWnd);
#ifdef _WIN32
  if (it == Providers().end()) return (::SetWindowPlacement)(hWnd, lpwndpl);
#endif
  if (it == Providers().end() || lpwndpl == nullptr) return FALSE;
  WINDOWPLACEMENT wp = *lpwndpl;
  Rect64 r = Widened(wp.rcNormalPosition);
  const long long width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0 || width > kLargestWindow || height > kLargestWindow) {
    // No window can be shown that way, and one that cannot be seen cannot be closed either:
    // the window keeps its own size at the place asked for, and the screen check below
    // brings that place within reach.
    WINDOWPLACEMENT own{};
    own.length = sizeof(WINDOWPLACEMENT);
    it->second->GetPlacement(own);
    const Rect64 o = Widened(own.rcNormalPosition);
    r.right = r.left + std::clamp(o.right - o.left, 1LL, kLargestWindow);
    r.bottom = r.top + std::clamp(o.bottom - o.top, 1LL, kLargestWindow);
  }
  const auto screens = ScreenRects();
  std::vector<Rect64> wide;
  for (const auto& s : screens) wide.push_back(Widened(s));
  const bool visible = std::any_of(wide.begin(), wide.end(), [&](const Rect64& s) { return Overlaps(r, s); });
  if (!visible && !wide.empty()) {
    const Rect64* nearest = &wide.front();
    for (const auto& s : wide)
      if (DistanceSquared(r, s) < DistanceSquared(r, *nearest)) nearest = &s;
    wp.rcNormalPosition = MovedOnto(r, *nearest);
  } else {
    // Visible, hence overlapping a screen of LONG edges, and at most kLargestWindow in size:
    // every edge fits a LONG.
    wp.rcNormalPosition = RECT{static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
                               static_cast<LONG>(r.bottom)};
  }
  it->second->SetPlacement(wp);
  return TRUE;
}

std::optional<RECT> PlaceBeside(const RECT& owner, LONG width, LONG height, LONG minWidth, LONG minHeight,
                                const std::vector<RECT>& screens) {
  if (screens.empty() || width <= 0 || height <= 0) return std::nullopt;
  const Rect64 o = Widened(owner);
  const long long cx = (o.left + o.right) / 2, cy = (o.top + o.bottom) / 2;
  Rect64 s = Widened(screens.front());
  for (const auto& screen : screens) {
    const Rect64 w = Widened(screen);
    if (cx >= w.left && cx < w.right && cy >= w.top && cy < w.bottom) s = w;
  }
  // The window may be no larger than the screen in either direction.
  const long long fullW = std::min<long long>(width, s.right - s.left);
  const long long fullH = std::min<long long>(height, s.bottom - s.top);
  struct Side {
    long long room;  // across the side: width beside, height above and below
    bool beside;     // right or left of the owner
    bool after;      // right of or below the owner
  };
  const Side sides[] = {{s.right - std::max(o.right, s.left), true, true},
                        {std::min(o.left, s.right) - s.left, true, false},
                        {s.bottom - std::max(o.bottom, s.top), false, true},
                        {std::min(o.top, s.bottom) - s.top, false, false}};
  const Side* chosen = nullptr;
  for (const Side& side : sides)
    if (side.room >= (side.beside ? fullW : fullH)) {
      chosen = &side;
      break;
    }
  long long w = fullW, h = fullH;
  if (!chosen) {
    // No side takes the whole window: the largest area that still leaves it usable.
    long long best = 0;
    for (const Side& side : sides) {
      const long long sw = side.beside ? side.room : fullW, sh = side.beside ? fullH : side.room;
      if (sw < minWidth || sh < minHeight || sw * sh <= best) continue;
      best = sw * sh;
      chosen = &side;
      w = sw;
      h = sh;
    }
    if (!chosen) return std::nullopt;
  }
  long long left = 0, top = 0;
  if (chosen->beside) {
    left = chosen->after ? std::max(o.right, s.left) : std::min(o.left, s.right) - w;
    top = std::clamp(o.top, s.top, s.bottom - h);
  } else {
    top = chosen->after ? std::max(o.bottom, s.top) : std::min(o.top, s.bottom) - h;
    left = std::clamp(o.left, s.left, s.right - w);
  }
  return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + w), static_cast<LONG>(top + h)};
}

std::vector<RECT> ScreenRects() {
  if (ScreenSource()) return ScreenSource()();
  if (auto* backend = platform::ui::CurrentBackend()) {
    std::vector<RECT> out;
    for (const auto& s : backend->Screens()) out.push_back(RECT{s[0], s[1], s[2], s[3]});
    if (!out.empty()) return out;
  }
  return {RECT{0, 0, 1920, 1080}};
}

void SetScreenSource(std::function<std::vector<RECT>()> source) { ScreenSource() = std::move(source); }

namespace {

MessageBoxObserver& BoxObserver() {
  static MessageBoxObserver observer;
  return observer;
}

}  // namespace

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer) {
  return std::exchange(BoxObserver(), std::move(observer));
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const std::string text = lpText ? lpText : "";
  // A null caption is the system's word for an error box's title.
  const std::string caption = lpCaption ? lpCaption : "Error";
  if (BoxObserver()) BoxObserver()({text, caption, uType});
  if (auto* backend = platform::ui::CurrentBackend())
    return backend->MessageBox(platform::ui::PeerOf(hWnd), text, caption, uType);
  return IDOK;
}
