// A one-line edit field; its text is the control's caption.
#pragma once

#include "framework/WinControl.h"

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);

  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& v) { SetCaption(v); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // The user typed: the text changes and OnChange runs.
  void UserType(const std::string& text) { SetText(text); }

  TNotifyEvent OnChange;
  // The focus left the field (the user tabbed or clicked elsewhere).
  TNotifyEvent OnExit;
  void UserLeave() {
    if (OnExit) OnExit(this);
  }
  // Up and Down typed in the field; a spin control bound to the field takes them.
  std::function<bool(platform::ui::Key)> OnArrowKey;
  bool UserKey(platform::ui::Key key) { return OnArrowKey && OnArrowKey(key); }

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreateEdit(parent, this);
  }
  void SyncPeer() override;
  void TextChanged() override;
  void PeerText(const std::string& text) override;
  bool PeerKey(platform::ui::Key key, platform::ui::ShiftState) override;
  void PeerFocus(bool focused) override;

 private:
  bool readOnly_ = false;
};
