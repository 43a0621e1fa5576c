#include "platform/win32/Win32UpDownPeer.h"

namespace platform::win32 {

Win32UpDownPeer::Win32UpDownPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(UPDOWN_CLASSW, WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, 0, parent), handler) {}

void Win32UpDownPeer::SetRange(int min, int max, int increment, bool wrap) {
  min_ = min;
  max_ = max;
  increment_ = increment;
  wrap_ = wrap;
  SendMessageW(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

void Win32UpDownPeer::SetPosition(int position) {
  position_ = position;
  SendMessageW(hwnd_, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

bool Win32UpDownPeer::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->code != UDN_DELTAPOS) return false;
  const auto* change = reinterpret_cast<NMUPDOWN*>(header);
  // The up arrow counts up, whatever the system's default direction for vertical spinners.
  long long next = position_ + static_cast<long long>(change->iDelta > 0 ? increment_ : -increment_);
  if (next > max_) next = wrap_ ? min_ : max_;
  if (next < min_) next = wrap_ ? max_ : min_;
  result = TRUE;  // the system keeps its own position out of it
  if (next == position_) return true;
  SetPosition(static_cast<int>(next));
  Notify([&](ui::PeerHandler& h) { h.PeerPosition(position_); });
  return true;
}

}  // namespace platform::win32
