#include "platform/win32/Win32PageControlPeer.h"

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

Win32PageControlPeer::Win32PageControlPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(
          Make(WC_TABCONTROLW, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT, parent),
          handler) {}

void Win32PageControlPeer::SetBounds(int left, int top, int width, int height) {
  Win32Control::SetBounds(left, top, width, height);
  PlacePages();
}

void Win32PageControlPeer::SetFont(const ui::FontSpec& font) {
  Win32Control::SetFont(font);
  PlacePages();
}

void Win32PageControlPeer::SetBackground(ui::Rgb color, bool opaque) {
  Win32Control::SetBackground(color, opaque);
  for (auto& p : pages_) p->SetBackground(color, opaque);
}

void Win32PageControlPeer::SetPages(const std::vector<std::string>& captions) {
  applying_ = true;
  TabCtrl_DeleteAllItems(hwnd_);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    std::wstring text = Wide(captions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  while (pages_.size() < captions.size()) {
    pages_.push_back(std::make_unique<Win32PanelPeer>(hwnd_, nullptr));
    pages_.back()->SetBevel(ui::Bevel::None, ui::Bevel::None, 0);
    pages_.back()->SetBackground(Background(), true);
  }
  pages_.resize(captions.size());
  applying_ = false;
  PlacePages();
  ShowActive();
}

void Win32PageControlPeer::SetActivePage(int index) {
  applying_ = true;
  TabCtrl_SetCurSel(hwnd_, index);
  applying_ = false;
  ShowActive();
}

ui::ControlPeer* Win32PageControlPeer::PageContainer(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) return nullptr;
  return pages_[static_cast<std::size_t>(index)].get();
}

void Win32PageControlPeer::PlacePages() {
  RECT r{};
  GetClientRect(hwnd_, &r);
  TabCtrl_AdjustRect(hwnd_, FALSE, &r);
  for (auto& p : pages_)
    p->SetBounds(static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                 static_cast<int>(r.bottom - r.top));
}

void Win32PageControlPeer::ShowActive() {
  const int active = TabCtrl_GetCurSel(hwnd_);
  for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->SetVisible(static_cast<int>(i) == active);
}

bool Win32PageControlPeer::OnNotify(NMHDR* header, LRESULT&) {
  if (header->code != TCN_SELCHANGE) return false;
  ShowActive();
  const int index = TabCtrl_GetCurSel(hwnd_);
  if (!applying_) Notify([&](ui::PeerHandler& h) { h.PeerPageChanged(index); });
  return true;
}

std::string Win32PageControlPeer::DumpFields() const { return "\tpage=" + std::to_string(TabCtrl_GetCurSel(hwnd_)); }

}  // namespace platform::win32
