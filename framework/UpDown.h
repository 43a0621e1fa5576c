// Up and down arrows bound to an edit field: the position shows in the field as decimal
// text, and a number typed into the field within the range becomes the position.
#pragma once

#include "framework/Edit.h"

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* AOwner);
  ~TUpDown() override;

  TEdit* Associate() const { return associate_; }
  void SetAssociate(TEdit* e);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Increment() const { return increment_; }
  void SetIncrement(int v) {
    increment_ = v;
    SendRange();
  }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool v) {
    wrap_ = v;
    SendRange();
  }
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool v) { arrowKeys_ = v; }

  // A press of an arrow by the user: one increment up or down, wrapping only with Wrap.
  void Step(bool up);

  TNotifyEvent OnClick;

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreateUpDown(parent, this);
  }
  void SyncPeer() override;
  void EnabledChanged() override;
  void PeerPosition(int position) override;
  void Loaded() override { ShowInAssociate(); }

 private:
  void SendRange();
  void ShowInAssociate();
  void FollowAssociate();

  TEdit* associate_ = nullptr;
  TNotifyEvent previousOnChange_;
  int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
  bool wrap_ = false, arrowKeys_ = true;
  bool updating_ = false;
};
