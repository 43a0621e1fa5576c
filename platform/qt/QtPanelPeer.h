// A panel: a filled rectangle with outer and inner bevels and a centred caption, and a
// parent for other controls.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtPanelPeer : public QtControl, public ui::PanelPeer {
 public:
  QtPanelPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetText(const std::string& text) override;
  void SetBevel(ui::Bevel outer, ui::Bevel inner, int width) override;
};

}  // namespace platform::qt
