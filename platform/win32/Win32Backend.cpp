#include "platform/win32/Win32Backend.h"

#include "platform/win32/Win32ButtonPeer.h"
#include "platform/win32/Win32CheckBoxPeer.h"
#include "platform/win32/Win32CustomPeer.h"
#include "platform/win32/Win32EditPeer.h"
#include "platform/win32/Win32FormPeer.h"
#include "platform/win32/Win32ImagePeer.h"
#include "platform/win32/Win32LabelPeer.h"
#include "platform/win32/Win32ListBoxPeer.h"
#include "platform/win32/Win32PageControlPeer.h"
#include "platform/win32/Win32PanelPeer.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32UpDownPeer.h"

namespace platform::win32 {

namespace {

// The window a child goes into: the parent peer's client window.
HWND Inside(ui::ControlPeer* parent) {
  auto* p = dynamic_cast<Win32Control*>(parent);
  return p ? p->ClientWindow() : nullptr;
}

}  // namespace

Win32Backend::Win32Backend() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
}

std::unique_ptr<ui::FormPeer> Win32Backend::CreateForm(ui::PeerHandler* handler) {
  return std::make_unique<Win32FormPeer>(handler);
}
std::unique_ptr<ui::LabelPeer> Win32Backend::CreateLabel(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32LabelPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::ListBoxPeer> Win32Backend::CreateListBox(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32ListBoxPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::ButtonPeer> Win32Backend::CreateButton(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32ButtonPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::CheckBoxPeer> Win32Backend::CreateCheckBox(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32CheckBoxPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::EditPeer> Win32Backend::CreateEdit(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32EditPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::UpDownPeer> Win32Backend::CreateUpDown(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32UpDownPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::PageControlPeer> Win32Backend::CreatePageControl(ui::ControlPeer* parent,
                                                                     ui::PeerHandler* handler) {
  return std::make_unique<Win32PageControlPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::PanelPeer> Win32Backend::CreatePanel(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32PanelPeer>(Inside(parent), handler);
}
std::unique_ptr<ui::ImagePeer> Win32Backend::CreateImage(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32ImagePeer>(Inside(parent), handler);
}
std::unique_ptr<ui::CustomPeer> Win32Backend::CreateCustom(ui::ControlPeer* parent, ui::PeerHandler* handler) {
  return std::make_unique<Win32CustomPeer>(Inside(parent), handler);
}

int Win32Backend::MessageBox(ui::FormPeer* owner, const std::string& text, const std::string& caption, UINT type) {
  auto* form = dynamic_cast<Win32Control*>(owner);
  return MessageBoxW(form ? form->Hwnd() : nullptr, Wide(text).c_str(), Wide(caption).c_str(), type);
}

std::vector<std::array<int, 4>> Win32Backend::Screens() {
  std::vector<std::array<int, 4>> screens;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) {
          const RECT& w = info.rcWork;
          reinterpret_cast<std::vector<std::array<int, 4>>*>(data)->push_back(
              {static_cast<int>(w.left), static_cast<int>(w.top), static_cast<int>(w.right),
               static_cast<int>(w.bottom)});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&screens));
  return screens;
}

}  // namespace platform::win32
