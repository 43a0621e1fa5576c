// A list box: rows of text in one or more columns, a row height of the program's choosing,
// and the user's selections reported as clicks.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtListBoxPeer : public QtControl, public ui::ListBoxPeer {
 public:
  QtListBoxPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetFont(const ui::FontSpec& font) override;
  void SetBackground(ui::Rgb color, bool opaque) override;

  void SetItems(const std::vector<std::string>& items) override;
  void SetSelection(int itemIndex, const std::vector<bool>& selected) override;
  void SetColumns(int columns) override;
  void SetItemHeight(int height) override;
  void SetSelectionMode(ui::ListSelection mode) override;
  void SetBorder(bool border) override;
};

}  // namespace platform::qt
