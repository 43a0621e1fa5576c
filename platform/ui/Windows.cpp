#include "platform/ui/Windows.h"

#include <algorithm>
#include <map>

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

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Moves r by whole offsets so that it lies inside s as far as its size allows.
RECT MovedOnto(const RECT& r, const RECT& s) {
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  LONG left = std::clamp(r.left, s.left, std::max(s.left, s.right - w));
  LONG top = std::clamp(r.top, s.top, std::max(s.top, s.bottom - h));
  return RECT{left, top, left + w, top + h};
}

long long DistanceSquared(const RECT& r, const RECT& s) {
  const long long dx = r.right <= s.left ? s.left - r.right + 1 : (r.left >= s.right ? r.left - s.right + 1 : 0);
  const long long dy = r.bottom <= s.top ? s.top - r.bottom + 1 : (r.top >= s.bottom ? r.top - s.bottom + 1 : 0);
  return dx * dx + dy * dy;
}

}  // namespace

void RegisterPlacementProvider(HWND hWnd, PlacementProvider* provider) { Providers()[hWnd] = provider; }

void UnregisterPlacementProvider(HWND hWnd) { Providers().erase(hWnd); }

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
  auto it = Providers().find(hWnd);
  if (it == Providers().end() || lpwndpl == nullptr || lpwndpl->length != sizeof(WINDOWPLACEMENT)) return FALSE;
  it->second->GetPlacement(*lpwndpl);
  lpwndpl->length = sizeof(WINDOWPLACEMENT);
  return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
  auto it = Providers().find(hWnd);
  if (it == Providers().end() || lpwndpl == nullptr) return FALSE;
  WINDOWPLACEMENT wp = *lpwndpl;
  const auto screens = ScreenRects();
  const bool visible = std::any_of(screens.begin(), screens.end(),
                                   [&](const RECT& s) { return Overlaps(wp.rcNormalPosition, s); });
  if (!visible && !screens.empty()) {
    const RECT* nearest = &screens.front();
    for (const auto& s : screens)
      if (DistanceSquared(wp.rcNormalPosition, s) < DistanceSquared(wp.rcNormalPosition, *nearest)) nearest = &s;
    wp.rcNormalPosition = MovedOnto(wp.rcNormalPosition, *nearest);
  }
  it->second->SetPlacement(wp);
  return TRUE;
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

std::vector<MessageBoxRecord>& LastMessageBoxes() {
  static std::vector<MessageBoxRecord> boxes;
  return boxes;
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const std::string text = lpText ? lpText : "";
  // A null caption is the system's word for an error box's title.
  const std::string caption = lpCaption ? lpCaption : "Error";
  LastMessageBoxes().push_back({text, caption, uType});
  if (auto* backend = platform::ui::CurrentBackend())
    return backend->MessageBox(platform::ui::PeerOf(hWnd), text, caption, uType);
  return IDOK;
}
