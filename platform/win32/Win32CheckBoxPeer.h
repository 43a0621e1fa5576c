// A check box of the system.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32CheckBoxPeer : public Win32Control, public ui::CheckBoxPeer {
 public:
  Win32CheckBoxPeer(HWND parent, ui::PeerHandler* handler);

  void SetChecked(bool checked) override;
  bool OnCommand(WORD code) override;

  const char* DumpClass() const override { return "Win32CheckBox"; }
  std::string DumpFields() const override;
};

}  // namespace platform::win32
