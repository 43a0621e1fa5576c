// A list box of the system. The number of columns and the kind of selection are styles
// the system fixes when it makes the window, so a change of either makes it afresh with
// the same rows, place and font.
#pragma once

#include <vector>

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32ListBoxPeer : public Win32Control, public ui::ListBoxPeer {
 public:
  Win32ListBoxPeer(HWND parent, ui::PeerHandler* handler);

  void SetBounds(int left, int top, int width, int height) override;
  void SetItems(const std::vector<std::string>& items) override;
  void SetSelection(int itemIndex, const std::vector<bool>& selected) override;
  void SetColumns(int columns) override;
  void SetItemHeight(int height) override;
  void SetSelectionMode(ui::ListSelection mode) override;
  void SetBorder(bool border) override;
  bool OnCommand(WORD code) override;

  const char* DumpClass() const override { return "Win32ListBox"; }
  std::string DumpFields() const override;

 private:
  void Remake();
  void ApplyColumnWidth();
  std::vector<bool> Selected() const;

  std::vector<std::string> items_;
  int columns_ = 1, itemHeight_ = 0;
  ui::ListSelection mode_ = ui::ListSelection::Single;
  bool border_ = true;
};

}  // namespace platform::win32
