// Push buttons, with or without a picture: buttons of the system, drawn by us in the
// classic look (raised bevel, the picture's transparent colour showing the face).
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32ButtonPeer : public Win32Control, public ui::ButtonPeer {
 public:
  Win32ButtonPeer(HWND parent, ui::PeerHandler* handler);

  void SetGlyph(const ui::Image& glyph, int numGlyphs) override;
  void SetLayout(ui::GlyphLayout layout, int margin, int spacing) override;
  void SetFocusable(bool focusable) override { SetTabStop(focusable); }
  void SetDefault(bool isDefault) override { default_ = isDefault; }

  bool OnCommand(WORD code) override;
  bool OnDrawItem(DRAWITEMSTRUCT* item) override;

  const char* DumpClass() const override { return "Win32Button"; }
  std::string DumpFields() const override;

 private:
  // One of the glyph's images (0 normal, 1 disabled) onto dc at x, y.
  void DrawGlyph(HDC dc, int index, int x, int y) const;

  ui::Image glyph_;
  int numGlyphs_ = 1;
  ui::GlyphLayout layout_ = ui::GlyphLayout::Left;
  int margin_ = -1, spacing_ = 4;
  bool default_ = false;
};

// The classic raised (or, pressed, sunken) bevel of a button face inside r.
void DrawClassicBevel(HDC dc, const RECT& r, bool pressed);

}  // namespace platform::win32
