#include "platform/win32/Win32CheckBoxPeer.h"

namespace platform::win32 {

Win32CheckBoxPeer::Win32CheckBoxPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent), handler) {}

void Win32CheckBoxPeer::SetChecked(bool checked) {
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32CheckBoxPeer::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  const bool checked = SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  Notify([&](ui::PeerHandler& h) { h.PeerCheck(checked); });
  Notify([](ui::PeerHandler& h) { h.PeerClick(); });
  return true;
}

std::string Win32CheckBoxPeer::DumpFields() const {
  const bool checked = SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return "\ttext=" + Text() + "\tchecked=" + (checked ? "1" : "0");
}

}  // namespace platform::win32
