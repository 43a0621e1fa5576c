#include "platform/win32/Win32Keys.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/messages/EventLoop.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32FormPeer.h"

namespace platform::win32 {

namespace {

// Bit 29 of a key message: Alt was held down when the key was struck.
constexpr LPARAM kAltDown = LPARAM{1} << 29;

// Set when a control kept a key: the character the loop makes of it is the control's too.
bool charOfControlsKey = false;

bool Down(int virtualKey) { return GetKeyState(virtualKey) < 0; }

ui::ShiftState ShiftOf(const MSG& msg) {
  ui::ShiftState s;
  s.shift = Down(VK_SHIFT);
  s.ctrl = Down(VK_CONTROL);
  // The message itself says whether Alt was down; the keyboard state may already be past it.
  const bool system = msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSCHAR;
  s.alt = system ? (msg.lParam & kAltDown) != 0 : Down(VK_MENU);
  s.left = Down(VK_LBUTTON);
  return s;
}

// The form the window belongs to: its top-level window, when that is a form of ours.
Win32Control* FormOf(HWND hwnd) {
  auto* peer = Win32Control::FromHwnd(GetAncestor(hwnd, GA_ROOT));
  return dynamic_cast<Win32FormPeer*>(peer) != nullptr ? peer : nullptr;
}

// Whether the control with the focus uses the key itself, as it tells the dialog manager.
// Windows of our own class use none; the system's controls say which kinds they take.
bool ControlWants(HWND target, const MSG& msg, ui::Key key) {
  const auto code = SendMessageW(target, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return true;
  if (msg.message == WM_CHAR) return (code & DLGC_WANTCHARS) != 0;
  switch (key) {
    case ui::Key::Up:
    case ui::Key::Down:
    case ui::Key::Left:
    case ui::Key::Right: return (code & DLGC_WANTARROWS) != 0;
    case ui::Key::Tab: return (code & DLGC_WANTTAB) != 0;
    // Space, Home, End and the page keys belong to whatever control has the focus.
    default: return code != 0;
  }
}

// The controls under a window in the form's tab order, depth first: each container's
// controls in their order, each followed by the controls inside it. Windows that are no
// peers (the inner parts of a control) are looked through.
void PeerChildren(HWND container, std::vector<Win32Control*>& out) {
  for (HWND w = GetWindow(container, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (auto* peer = Win32Control::FromHwnd(w)) {
      out.push_back(peer);
    } else {
      PeerChildren(w, out);
    }
  }
}

void CollectTabChain(HWND container, std::vector<HWND>& chain) {
  std::vector<Win32Control*> children;
  PeerChildren(container, children);
  std::stable_sort(children.begin(), children.end(),
                   [](const Win32Control* a, const Win32Control* b) { return a->TabsBefore(*b); });
  for (Win32Control* c : children) {
    const HWND w = c->Hwnd();
    if ((GetWindowLongPtrW(w, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(w) && IsWindowEnabled(w)) chain.push_back(w);
    CollectTabChain(w, chain);
  }
}

// Tab and Shift+Tab: the focus moves on to the next control of the chain, round at the
// ends. False when the form has no control to move to.
bool MoveFocus(HWND form, HWND from, bool forward) {
  std::vector<HWND> chain;
  CollectTabChain(form, chain);
  if (chain.empty()) return false;
  // The control the key came to, or the one it is a part of.
  auto at = chain.end();
  for (HWND w = from; w != nullptr && w != form && at == chain.end(); w = GetParent(w))
    at = std::find(chain.begin(), chain.end(), w);
  const std::size_t n = chain.size();
  std::size_t next = forward ? 0 : n - 1;
  if (at != chain.end()) {
    const auto i = static_cast<std::size_t>(at - chain.begin());
    next = forward ? (i + 1) % n : (i + n - 1) % n;
  }
  const HWND target = chain[next];
  ::SetFocus(target);
  // An edit field tabbed into has all its text selected, ready to be typed over.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
  return true;
}

bool AskKey(Win32Control* peer, ui::Key key, ui::ShiftState s) {
  bool used = false;
  if (auto* h = peer->Handler()) DispatchSafely([&] { used = h->PeerKey(key, s); });
  return used;
}

bool AskChar(Win32Control* peer, char32_t ch, ui::ShiftState s) {
  bool used = false;
  if (auto* h = peer->Handler()) DispatchSafely([&] { used = h->PeerChar(ch, s); });
  return used;
}

bool RouteKeyDown(const MSG& msg, Win32Control* form) {
  const ui::Key key = KeyOf(msg.wParam);
  const ui::ShiftState s = ShiftOf(msg);
  charOfControlsKey = false;
  // Enter and Esc are the form's whatever has the focus: no control may use them up, and
  // nothing is made of them for the control when the form has no button for them.
  if (key == ui::Key::Enter || key == ui::Key::Escape) {
    AskKey(form, key, s);
    return true;
  }
  if (key == ui::Key::Other) return false;
  auto* control = msg.hwnd == form->Hwnd() ? nullptr : Win32Control::FromHwnd(msg.hwnd);
  if (control != nullptr && control->TakesKeyFirst(key) && AskKey(control, key, s)) return true;
  if (msg.hwnd != form->Hwnd() && ControlWants(msg.hwnd, msg, key)) {
    charOfControlsKey = true;  // Space on a button is the button's, character and all
    return false;
  }
  // Tab moves the focus before the form hears of it, with Ctrl or Alt it is the form's.
  if (key == ui::Key::Tab && !s.ctrl && !s.alt && MoveFocus(form->Hwnd(), msg.hwnd, !s.shift)) return true;
  return AskKey(form, key, s);
}

bool RouteChar(const MSG& msg, Win32Control* form) {
  if (std::exchange(charOfControlsKey, false) && msg.message == WM_CHAR) return false;
  const auto unit = static_cast<char32_t>(msg.wParam);
  // Control characters are no accelerators (Enter and Esc came as keys), and half of a
  // surrogate pair is no character of its own.
  if (unit < 0x20 || unit == 0x7F || (unit >= 0xD800 && unit <= 0xDFFF)) return false;
  const ui::ShiftState s = ShiftOf(msg);
  if (s.ctrl) return false;
  // Alt with a character is the form's accelerator, whatever control has the focus.
  if (msg.message == WM_SYSCHAR) return s.alt && AskChar(form, unit, s);
  if (msg.hwnd != form->Hwnd() && ControlWants(msg.hwnd, msg, ui::Key::Other)) return false;
  return AskChar(form, unit, s);
}

}  // namespace

ui::Key KeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN: return ui::Key::Enter;
    case VK_ESCAPE: return ui::Key::Escape;
    case VK_UP: return ui::Key::Up;
    case VK_DOWN: return ui::Key::Down;
    case VK_LEFT: return ui::Key::Left;
    case VK_RIGHT: return ui::Key::Right;
    case VK_HOME: return ui::Key::Home;
    case VK_END: return ui::Key::End;
    case VK_PRIOR: return ui::Key::PageUp;
    case VK_NEXT: return ui::Key::PageDown;
    case VK_SPACE: return ui::Key::Space;
    case VK_TAB: return ui::Key::Tab;
    default: return ui::Key::Other;
  }
}

bool RouteKey(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR: break;
    default: return false;
  }
  Win32Control* form = FormOf(msg.hwnd);
  if (form == nullptr || !IsWindowEnabled(form->Hwnd())) return false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) return RouteKeyDown(msg, form);
  return RouteChar(msg, form);
}

}  // namespace platform::win32
