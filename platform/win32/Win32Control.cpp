#include "platform/win32/Win32Control.h"

#include <algorithm>
#include <windowsx.h>

#include "platform/messages/EventLoop.h"
#include "platform/win32/Win32DeviceContext.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

std::vector<Win32Control*>& Registry() {
  static std::vector<Win32Control*> all;
  return all;
}

std::uint64_t NextSequence() {
  static std::uint64_t next = 0;
  return ++next;
}

ui::ShiftState Shift(WPARAM keys, bool doubleClick = false) {
  ui::ShiftState s;
  s.shift = keys & MK_SHIFT;
  s.ctrl = keys & MK_CONTROL;
  s.alt = GetKeyState(VK_MENU) < 0;
  s.left = keys & MK_LBUTTON;
  s.doubleClick = doubleClick;
  return s;
}

}  // namespace

Win32Control::Win32Control(HWND hwnd, ui::PeerHandler* handler)
    : hwnd_(hwnd), handler_(handler), sequence_(NextSequence()) {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Registry().push_back(this);
}

Win32Control::~Win32Control() {
  auto& all = Registry();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    (::DestroyWindow)(hwnd_);
  }
  if (hfont_) (::DeleteObject)(hfont_);
  if (brush_) (::DeleteObject)(brush_);
}

Win32Control* Win32Control::FromHwnd(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto* peer = reinterpret_cast<Win32Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const auto& all = Registry();
  return std::find(all.begin(), all.end(), peer) != all.end() ? peer : nullptr;
}

const std::vector<Win32Control*>& Win32Control::All() { return Registry(); }

const wchar_t* Win32Control::OwnClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Win32Control::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"PlumeWindow";
    RegisterClassExW(&wc);
    return L"PlumeWindow";
  }();
  return name;
}

HWND Win32Control::Make(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent) {
  // Siblings clip each other, so each paints only what of it is in sight: the system paints
  // siblings in no particular order.
  if (style & WS_CHILD) style |= WS_CLIPSIBLINGS;
  HWND made = CreateWindowExW(exStyle, className ? className : OwnClass(), L"", style, 0, 0, 0, 0, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  // A control made later lies above the ones before it, as the window descriptions stack
  // them; drawn controls move beneath the windowed ones when they say what they are.
  if (made && parent) SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return made;
}

void Win32Control::Notify(const std::function<void(ui::PeerHandler&)>& call) const {
  if (handler_ != nullptr) DispatchSafely([&] { call(*handler_); });
}

RECT Win32Control::DumpGeometry() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Win32Control::SetBounds(int left, int top, int width, int height) {
  MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void Win32Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void Win32Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void Win32Control::SetText(const std::string& text) {
  text_ = text;
  applying_ = true;
  SetWindowTextW(hwnd_, Wide(text).c_str());
  applying_ = false;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Control::SetFont(const ui::FontSpec& font) {
  font_ = font;
  HFONT old = hfont_;
  hfont_ = Win32DeviceContext::MakeFont(font);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), TRUE);
  if (old) (::DeleteObject)(old);
}

void Win32Control::SetBackground(ui::Rgb color, bool opaque) {
  background_ = color;
  opaque_ = opaque;
  if (brush_) (::DeleteObject)(brush_);
  brush_ = (::CreateSolidBrush)(color);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH Win32Control::OnControlColor(HDC dc) {
  if (!brush_) return nullptr;
  (::SetBkColor)(dc, background_);
  (::SetTextColor)(dc, font_.color);
  return brush_;
}

void Win32Control::FillBackground(HDC dc, const RECT& r) const {
  if (!opaque_) return;
  HBRUSH b = (::CreateSolidBrush)(background_);
  (::FillRect)(dc, &r, b);
  (::DeleteObject)(b);
}

void Win32Control::Invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }

void Win32Control::Repaint() { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE); }

void Win32Control::SetFocus() { ::SetFocus(hwnd_); }

void Win32Control::SetTabOrder(int order) {
  tabOrder_ = order;
  ordered_ = true;
  tabStamp_ = NextSequence();
}

bool Win32Control::TabsBefore(const Win32Control& other) const {
  // A control never given an order comes after those that have one, in the order made.
  if (ordered_ != other.ordered_) return ordered_;
  if (ordered_ && tabOrder_ != other.tabOrder_) return tabOrder_ < other.tabOrder_;
  if (tabStamp_ != other.tabStamp_) return tabStamp_ > other.tabStamp_;
  return sequence_ < other.sequence_;
}

void Win32Control::SetTabStop(bool stop) {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void Win32Control::RaiseToTop() { PlaceInStack(); }

void Win32Control::MarkDrawn() {
  drawn_ = true;
  PlaceInStack();
}

void Win32Control::PlaceInStack() {
  HWND parent = GetParent(hwnd_);
  if (parent == nullptr || (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) == 0) {
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  HWND insertAfter = HWND_TOP;
  if (drawn_) {
    // The siblings run from the top of the stack down; the last windowed one is the lowest.
    HWND lowestWindowed = nullptr;
    for (HWND w = GetWindow(parent, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      auto* peer = FromHwnd(w);
      if (w != hwnd_ && peer != nullptr && !peer->drawn_) lowestWindowed = w;
    }
    if (lowestWindowed != nullptr) insertAfter = lowestWindowed;  // right beneath it
  }
  SetWindowPos(hwnd_, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32Control::ForwardMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd_);
      Notify([&](ui::PeerHandler& h) {
        h.PeerMouseDown(ui::MouseButton::Left, Shift(wParam, msg == WM_LBUTTONDBLCLK), x, y);
      });
      if (msg == WM_LBUTTONDBLCLK) Notify([&](ui::PeerHandler& h) { h.PeerDblClick(x, y); });
      return true;
    case WM_RBUTTONDOWN:
      Notify([&](ui::PeerHandler& h) { h.PeerMouseDown(ui::MouseButton::Right, Shift(wParam), x, y); });
      return true;
    case WM_LBUTTONUP:
      ReleaseCapture();
      Notify([&](ui::PeerHandler& h) { h.PeerMouseUp(ui::MouseButton::Left, Shift(wParam), x, y); });
      return true;
    case WM_RBUTTONUP:
      Notify([&](ui::PeerHandler& h) { h.PeerMouseUp(ui::MouseButton::Right, Shift(wParam), x, y); });
      return true;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&t);
      }
      Notify([&](ui::PeerHandler& h) { h.PeerMouseMove(Shift(wParam), x, y); });
      return true;
    case WM_MOUSELEAVE:
      tracking_ = false;
      Notify([](ui::PeerHandler& h) { h.PeerMouseLeave(); });
      return true;
    default: return false;
  }
}

bool Win32Control::Route(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (auto* c = FromHwnd(reinterpret_cast<HWND>(lParam))) return c->OnCommand(HIWORD(wParam));
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (auto* c = FromHwnd(header->hwndFrom)) return c->OnNotify(header, result);
      return false;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (auto* c = FromHwnd(item->hwndItem); c && c->OnDrawItem(item)) {
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (auto* c = FromHwnd(reinterpret_cast<HWND>(lParam))) return c->OnScroll(LOWORD(wParam));
      return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (auto* c = FromHwnd(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH b = c->OnControlColor(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(b);
          return true;
        }
      }
      return false;
    default: return false;
  }
}

LRESULT CALLBACK Win32Control::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Route(msg, wParam, lParam, result)) return result;
  if (auto* peer = FromHwnd(hWnd); peer && peer->Handle(msg, wParam, lParam, result)) return result;
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace platform::win32
