// A windowing backend without windows: each control gets a peer that draws nothing and only
// counts the repaints asked of it, so that a headless test can tell a repaint made at once
// from one left for the next paint cycle. Install it before making the form.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Peers.h"

class FakePeer final : public platform::ui::LabelPeer,
                       public platform::ui::ListBoxPeer,
                       public platform::ui::ButtonPeer,
                       public platform::ui::CheckBoxPeer,
                       public platform::ui::EditPeer,
                       public platform::ui::UpDownPeer,
                       public platform::ui::PageControlPeer,
                       public platform::ui::PanelPeer,
                       public platform::ui::ImagePeer,
                       public platform::ui::CustomPeer,
                       public platform::ui::FormPeer {
 public:
  std::string text;                // the last text given
  std::vector<std::string> items;  // the last list given
  int invalidates = 0;             // repaints left for the next paint cycle
  int repaints = 0;                // repaints done at once
  bool enabled = true;
  // Forms: the frame a window manager would draw (left, top, right, bottom; none until a
  // test says so) and the client area the form last asked for.
  int frame[4] = {0, 0, 0, 0};
  int clientWidth = 0, clientHeight = 0;

  void ResetCounts() { invalidates = repaints = 0; }

  // A form's bounds are its outer rectangle: the client area is what the frame leaves.
  void SetBounds(int, int, int width, int height) override {
    clientWidth = width - frame[0] - frame[2];
    clientHeight = height - frame[1] - frame[3];
  }
  void SetVisible(bool) override {}
  void SetEnabled(bool e) override { enabled = e; }
  void SetText(const std::string& t) override { text = t; }
  void SetHint(const std::string&) override {}
  void SetFont(const platform::ui::FontSpec&) override {}
  void SetBackground(platform::ui::Rgb, bool) override {}
  void Invalidate() override { ++invalidates; }
  void Repaint() override { ++repaints; }
  void SetFocus() override {}
  void SetTabOrder(int) override {}
  void SetTabStop(bool) override {}
  void RaiseToTop() override {}

  void SetAlignment(platform::ui::Alignment) override {}
  void SetWordWrap(bool) override {}
  void MeasureText(const std::string& measured, int& width, int& height) override;
  void SetItems(const std::vector<std::string>& list) override { items = list; }
  void SetSelection(int, const std::vector<bool>&) override {}
  void SetColumns(int) override {}
  void SetItemHeight(int) override {}
  void SetSelectionMode(platform::ui::ListSelection) override {}
  void SetBorder(bool) override {}
  void SetGlyph(const platform::ui::Image&, int) override {}
  void SetLayout(platform::ui::GlyphLayout, int, int) override {}
  void SetFocusable(bool) override {}
  void SetDefault(bool) override {}
  void SetChecked(bool) override {}
  void SetReadOnly(bool) override {}
  void SetRange(int, int, int, bool) override {}
  void SetPosition(int) override {}
  void SetPages(const std::vector<std::string>&) override {}
  void SetActivePage(int) override {}
  // Pages hold their controls in the notebook itself; nothing here tells them apart.
  platform::ui::ControlPeer* PageContainer(int) override { return this; }
  void SetBevel(platform::ui::Bevel, platform::ui::Bevel, int) override {}
  void SetPicture(const platform::ui::Image&) override {}
  void SetStretch(bool) override {}
  void SetBorder(platform::ui::BorderStyle, platform::ui::BorderIcons) override {}
  void SetClientSize(int width, int height) override {
    clientWidth = width;
    clientHeight = height;
  }
  void FrameMargins(int& left, int& top, int& right, int& bottom) override {
    left = frame[0];
    top = frame[1];
    right = frame[2];
    bottom = frame[3];
  }
  void SetIcon(const platform::ui::Image&) override {}
  void ShowWindow(bool, bool) override {}
  void BringToFront() override {}
};

class FakeBackend final : public platform::ui::Backend {
 public:
  int controlsMade = 0;  // peers made for controls, windows not counted

  std::unique_ptr<platform::ui::FormPeer> CreateForm(platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::LabelPeer> CreateLabel(platform::ui::ControlPeer*, platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::ListBoxPeer> CreateListBox(platform::ui::ControlPeer*,
                                                           platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::ButtonPeer> CreateButton(platform::ui::ControlPeer*,
                                                         platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::CheckBoxPeer> CreateCheckBox(platform::ui::ControlPeer*,
                                                             platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::EditPeer> CreateEdit(platform::ui::ControlPeer*, platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::UpDownPeer> CreateUpDown(platform::ui::ControlPeer*,
                                                         platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::PageControlPeer> CreatePageControl(platform::ui::ControlPeer*,
                                                                   platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::PanelPeer> CreatePanel(platform::ui::ControlPeer*, platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::ImagePeer> CreateImage(platform::ui::ControlPeer*, platform::ui::PeerHandler*) override;
  std::unique_ptr<platform::ui::CustomPeer> CreateCustom(platform::ui::ControlPeer*,
                                                         platform::ui::PeerHandler*) override;

  void SetApplicationTitle(const std::string&) override {}
  void SetMainWindow(platform::ui::FormPeer*) override {}
  int MessageBox(platform::ui::FormPeer*, const std::string&, const std::string&, UINT) override;
  std::vector<std::array<int, 4>> Screens() override { return {{0, 0, 1024, 768}}; }

 private:
  std::unique_ptr<FakePeer> Made();  // a control's peer, counted
};

// The fake peer behind a control made while the fake backend was installed.
FakePeer& FakePeerOf(platform::ui::ControlPeer* peer);
