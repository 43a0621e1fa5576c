// The windowing backend on the system's own windows: makes the peers, shows message
// boxes and reports the screens' work areas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Peers.h"

namespace platform::win32 {

class Win32FormPeer;

class Win32Backend : public ui::Backend {
 public:
  // Registers the common controls' classes the peers use.
  Win32Backend();

  std::unique_ptr<ui::FormPeer> CreateForm(ui::PeerHandler* handler) override;
  std::unique_ptr<ui::LabelPeer> CreateLabel(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::ListBoxPeer> CreateListBox(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::ButtonPeer> CreateButton(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::CheckBoxPeer> CreateCheckBox(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::EditPeer> CreateEdit(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::UpDownPeer> CreateUpDown(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::PageControlPeer> CreatePageControl(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::PanelPeer> CreatePanel(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::ImagePeer> CreateImage(ui::ControlPeer* parent, ui::PeerHandler* handler) override;
  std::unique_ptr<ui::CustomPeer> CreateCustom(ui::ControlPeer* parent, ui::PeerHandler* handler) override;

  void SetApplicationTitle(const std::string& title) override { title_ = title; }
  void SetMainWindow(ui::FormPeer* form) override { main_ = form; }
  int MessageBox(ui::FormPeer* owner, const std::string& text, const std::string& caption, UINT type) override;
  std::vector<std::array<int, 4>> Screens() override;

  const std::string& ApplicationTitle() const { return title_; }

 private:
  std::string title_;
  ui::FormPeer* main_ = nullptr;
};

}  // namespace platform::win32
