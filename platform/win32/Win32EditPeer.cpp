#include "platform/win32/Win32EditPeer.h"

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

Win32EditPeer::Win32EditPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent),
                   handler) {}

void Win32EditPeer::SetReadOnly(bool readOnly) { SendMessageW(hwnd_, EM_SETREADONLY, readOnly, 0); }

std::string Win32EditPeer::CurrentText() const {
  std::wstring w(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  w.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, w.data(), static_cast<int>(w.size()))));
  return Utf8(w);
}

bool Win32EditPeer::OnCommand(WORD code) {
  if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
    Notify([&](ui::PeerHandler& h) { h.PeerFocus(code == EN_SETFOCUS); });
    return true;
  }
  if (code != EN_CHANGE || applying_) return false;
  const std::string text = CurrentText();
  Notify([&](ui::PeerHandler& h) { h.PeerText(text); });
  return true;
}

std::string Win32EditPeer::DumpFields() const { return "\ttext=" + CurrentText(); }

}  // namespace platform::win32
