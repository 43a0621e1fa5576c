// An up-down spinner: two arrow buttons, up above down, that step a position within a
// range, wrapping round at the ends when asked to.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtUpDownPeer : public QtControl, public ui::UpDownPeer {
 public:
  QtUpDownPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetBackground(ui::Rgb, bool) override {}
  void SetRange(int min, int max, int increment, bool wrap) override;
  void SetPosition(int position) override;
};

}  // namespace platform::qt
