// A check box; the user's toggles are reported, the program's are not.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtCheckBoxPeer : public QtControl, public ui::CheckBoxPeer {
 public:
  QtCheckBoxPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetText(const std::string& text) override;
  void SetChecked(bool checked) override;
};

}  // namespace platform::qt
