// A push button, with an optional picture (glyph) placed left, right, above or below the
// caption at the given margin and spacing.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtButtonPeer : public QtControl, public ui::ButtonPeer {
 public:
  QtButtonPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetText(const std::string& text) override;
  // A button keeps the system's face whatever the control's colour.
  void SetBackground(ui::Rgb, bool) override {}

  void SetGlyph(const ui::Image& glyph, int numGlyphs) override;
  void SetLayout(ui::GlyphLayout layout, int margin, int spacing) override;
  void SetFocusable(bool focusable) override;
  void SetDefault(bool isDefault) override;
};

}  // namespace platform::qt
