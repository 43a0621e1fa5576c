// A picture: a window of our own that paints it, at its size or stretched.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32ImagePeer : public Win32Control, public ui::ImagePeer {
 public:
  Win32ImagePeer(HWND parent, ui::PeerHandler* handler);

  void SetPicture(const ui::Image& picture) override;
  void SetStretch(bool stretch) override;

  const char* DumpClass() const override { return "Win32Image"; }

 protected:
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  ui::Image picture_;
  bool stretch_ = false;
};

}  // namespace platform::win32
