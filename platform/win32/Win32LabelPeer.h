// A label: a window of our own that paints its text in its font and colour, aligned and
// wrapped as asked, on its background or on its parent's.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32LabelPeer : public Win32Control, public ui::LabelPeer {
 public:
  Win32LabelPeer(HWND parent, ui::PeerHandler* handler);

  void SetAlignment(ui::Alignment a) override;
  void SetWordWrap(bool wrap) override;
  void MeasureText(const std::string& text, int& width, int& height) override;

  const char* DumpClass() const override { return "Win32Label"; }
  std::string DumpFields() const override;

 protected:
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  ui::Alignment alignment_ = ui::Alignment::Left;
  bool wrap_ = false;
};

// "#rrggbb" of a colour, as the widget dump writes colours.
std::string ColorName(ui::Rgb color);

}  // namespace platform::win32
