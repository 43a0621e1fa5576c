// A one-line edit field; what the user types is reported, what the program sets is not.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtEditPeer : public QtControl, public ui::EditPeer {
 public:
  QtEditPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetText(const std::string& text) override;
  void SetBackground(ui::Rgb color, bool opaque) override;
  void SetReadOnly(bool readOnly) override;
};

}  // namespace platform::qt
