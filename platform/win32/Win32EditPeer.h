// A one-line edit field of the system.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32EditPeer : public Win32Control, public ui::EditPeer {
 public:
  Win32EditPeer(HWND parent, ui::PeerHandler* handler);

  void SetReadOnly(bool readOnly) override;
  bool OnCommand(WORD code) override;
  // Up and Down step a spin control bound to the field, if the field's handler has one.
  bool TakesKeyFirst(ui::Key key) const override { return key == ui::Key::Up || key == ui::Key::Down; }

  const char* DumpClass() const override { return "Win32Edit"; }
  std::string DumpFields() const override;

  // What the field shows now, typed or set.
  std::string CurrentText() const;
};

}  // namespace platform::win32
