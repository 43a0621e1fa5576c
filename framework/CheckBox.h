// A check box. Its OnClick runs whenever Checked changes, by the user or by the program.
#pragma once

#include "framework/WinControl.h"

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  // The user's click toggles the box.
  void Toggle() { SetChecked(!checked_); }

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreateCheckBox(parent, this);
  }
  void SyncPeer() override;
  void PeerCheck(bool checked) override;
  void PeerClick() override {}

 private:
  bool checked_ = false;
};
