// A control that draws itself: no background of its own (the parent shows through where
// it paints nothing), and every mouse event reported in client coordinates.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtCustomPeer : public QtControl, public ui::CustomPeer {
 public:
  QtCustomPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetBackground(ui::Rgb, bool) override {}
  void SetFont(const ui::FontSpec& font) override;
  void SetEnabled(bool enabled) override;

 protected:
  // Such a control takes the focus only from the keyboard, and only as a tab stop.
  Qt::FocusPolicy FocusPolicyFor(bool focusable, bool tabStop) const override;
};

}  // namespace platform::qt
