// A drawn control: paints itself through the drawing interface on a device of ours that
// draws with the system's GDI into a back buffer, copied to the window in one go.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32CustomPeer : public Win32Control, public ui::CustomPeer {
 public:
  Win32CustomPeer(HWND parent, ui::PeerHandler* handler);

  const char* DumpClass() const override { return "Win32Custom"; }

 protected:
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint();
};

}  // namespace platform::win32
