// An up-down spinner of the system (the common controls' up-down class). Each step is
// worked out here, with the program's increment and wrapping, and reported as a position.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32UpDownPeer : public Win32Control, public ui::UpDownPeer {
 public:
  Win32UpDownPeer(HWND parent, ui::PeerHandler* handler);

  void SetRange(int min, int max, int increment, bool wrap) override;
  void SetPosition(int position) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;

  const char* DumpClass() const override { return "Win32UpDown"; }
  std::string DumpFields() const override { return "\tposition=" + std::to_string(position_); }

 private:
  int min_ = 0, max_ = 100, increment_ = 1, position_ = 0;
  bool wrap_ = false;
};

}  // namespace platform::win32
