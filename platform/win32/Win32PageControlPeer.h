// Tabbed pages: the system's tab control, with one panel per page over its display area;
// the active page's panel is shown, the others hidden.
#pragma once

#include <memory>
#include <vector>

#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32PanelPeer.h"

namespace platform::win32 {

class Win32PageControlPeer : public Win32Control, public ui::PageControlPeer {
 public:
  Win32PageControlPeer(HWND parent, ui::PeerHandler* handler);

  void SetBounds(int left, int top, int width, int height) override;
  void SetFont(const ui::FontSpec& font) override;
  void SetBackground(ui::Rgb color, bool opaque) override;
  void SetPages(const std::vector<std::string>& captions) override;
  void SetActivePage(int index) override;
  ui::ControlPeer* PageContainer(int index) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;

  const char* DumpClass() const override { return "Win32PageControl"; }
  std::string DumpFields() const override;

 private:
  void PlacePages();
  void ShowActive();

  std::vector<std::unique_ptr<Win32PanelPeer>> pages_;
};

}  // namespace platform::win32
