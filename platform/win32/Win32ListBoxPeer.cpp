#include "platform/win32/Win32ListBoxPeer.h"

#include <algorithm>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

DWORD StyleFor(int columns, ui::ListSelection mode) {
  DWORD s = WS_CHILD | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  s |= columns > 1 ? (LBS_MULTICOLUMN | WS_HSCROLL) : WS_VSCROLL;
  if (mode == ui::ListSelection::Multi) s |= LBS_MULTIPLESEL;
  if (mode == ui::ListSelection::Extended) s |= LBS_EXTENDEDSEL;
  return s;
}

}  // namespace

Win32ListBoxPeer::Win32ListBoxPeer(HWND parent, ui::PeerHandler* handler)
    : Win32Control(Make(L"LISTBOX", StyleFor(1, ui::ListSelection::Single) | WS_VISIBLE, WS_EX_CLIENTEDGE, parent),
                   handler) {}

void Win32ListBoxPeer::Remake() {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  HWND parent = GetParent(hwnd_);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  // Its own flag: the window counts as hidden while its form is, shown or not itself.
  const bool visible = GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE;
  const bool enabled = IsWindowEnabled(hwnd_);
  const std::vector<bool> selected = Selected();
  const int caret = static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
  HWND made =
      Make(L"LISTBOX", StyleFor(columns_, mode_) | (visible ? WS_VISIBLE : 0), border_ ? WS_EX_CLIENTEDGE : 0, parent);
  SetWindowPos(made, hwnd_, static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
               static_cast<int>(r.bottom - r.top), SWP_NOACTIVATE);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  (::DestroyWindow)(hwnd_);
  hwnd_ = made;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<Win32Control*>(this)));
  EnableWindow(hwnd_, enabled);
  if (FontHandle()) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  SetItems(items_);
  if (itemHeight_ > 0) SetItemHeight(itemHeight_);
  SetSelection(caret, selected);
  ApplyColumnWidth();
}

void Win32ListBoxPeer::SetBounds(int left, int top, int width, int height) {
  Win32Control::SetBounds(left, top, width, height);
  ApplyColumnWidth();
}

void Win32ListBoxPeer::ApplyColumnWidth() {
  if (columns_ <= 1) return;
  RECT r{};
  GetClientRect(hwnd_, &r);
  SendMessageW(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max<LONG>(1, r.right / columns_)), 0);
}

void Win32ListBoxPeer::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  applying_ = true;
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const auto& item : items) SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
  applying_ = false;
}

void Win32ListBoxPeer::SetSelection(int itemIndex, const std::vector<bool>& selected) {
  applying_ = true;
  if (mode_ == ui::ListSelection::Single) {
    int chosen = -1;
    for (std::size_t i = 0; i < selected.size(); ++i)
      if (selected[i]) chosen = static_cast<int>(i);
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  } else {
    SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
    for (std::size_t i = 0; i < selected.size(); ++i)
      if (selected[i]) SendMessageW(hwnd_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    if (itemIndex >= 0) SendMessageW(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(itemIndex), FALSE);
  }
  applying_ = false;
}

void Win32ListBoxPeer::SetColumns(int columns) {
  columns = std::max(1, columns);
  if (columns == columns_) return;
  const bool restyle = (columns > 1) != (columns_ > 1);
  columns_ = columns;
  if (restyle) Remake();
  ApplyColumnWidth();
}

void Win32ListBoxPeer::SetItemHeight(int height) {
  itemHeight_ = height;
  if (height > 0) SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(height));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ListBoxPeer::SetSelectionMode(ui::ListSelection mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Remake();
}

void Win32ListBoxPeer::SetBorder(bool border) {
  if (border == border_) return;
  border_ = border;
  Remake();
}

std::vector<bool> Win32ListBoxPeer::Selected() const {
  std::vector<bool> selected(items_.size(), false);
  for (std::size_t i = 0; i < items_.size(); ++i) selected[i] = SendMessageW(hwnd_, LB_GETSEL, i, 0) > 0;
  return selected;
}

bool Win32ListBoxPeer::OnCommand(WORD code) {
  if (applying_) return false;
  if (code == LBN_SELCHANGE) {
    const int caret = static_cast<int>(
        SendMessageW(hwnd_, mode_ == ui::ListSelection::Single ? LB_GETCURSEL : LB_GETCARETINDEX, 0, 0));
    const std::vector<bool> selected = Selected();
    Notify([&](ui::PeerHandler& h) { h.PeerSelection(caret, selected); });
    Notify([](ui::PeerHandler& h) { h.PeerClick(); });
    return true;
  }
  if (code == LBN_DBLCLK) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    Notify([&](ui::PeerHandler& h) { h.PeerDblClick(static_cast<int>(p.x), static_cast<int>(p.y)); });
    return true;
  }
  return false;
}

std::string Win32ListBoxPeer::DumpFields() const {
  std::string items, selected;
  const std::vector<bool> chosen = Selected();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i) items += '|';
    items += items_[i];
    if (chosen[i]) selected += (selected.empty() ? "" : ",") + std::to_string(i);
  }
  return "\titems=" + items + "\tselected=" + selected;
}

}  // namespace platform::win32
