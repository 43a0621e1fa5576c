// An image: a picture drawn at its natural size from the top-left corner, or stretched to
// the control's size.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtImagePeer : public QtControl, public ui::ImagePeer {
 public:
  QtImagePeer(QWidget* parent, ui::PeerHandler* handler);

  // Outside its picture an image shows what lies beneath it.
  void SetBackground(ui::Rgb, bool) override {}
  void SetEnabled(bool enabled) override;
  void SetPicture(const ui::Image& picture) override;
  void SetStretch(bool stretch) override;
};

}  // namespace platform::qt
