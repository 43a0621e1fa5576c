// A panel: a window of our own that holds controls, on its colour, inside its bevels.
// Tabbed pages use panels without bevels as their pages.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32PanelPeer : public Win32Control, public ui::PanelPeer {
 public:
  Win32PanelPeer(HWND parent, ui::PeerHandler* handler);

  void SetBevel(ui::Bevel outer, ui::Bevel inner, int width) override;

  const char* DumpClass() const override { return "Win32Panel"; }
  std::string DumpFields() const override { return "\ttext=" + Text(); }

 protected:
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  ui::Bevel outer_ = ui::Bevel::Raised, inner_ = ui::Bevel::None;
  int width_ = 1;
};

}  // namespace platform::win32
