// A control with a window of its own: it holds child controls, takes part in the tab
// order and can have the focus.
#pragma once

#include <vector>

#include "framework/Control.h"

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);

  // Gives this control the focus of its form.
  void SetFocus();
  bool Focused();
  // Visible and enabled up to the form.
  bool CanFocus();

  bool IsWindowed() const override { return true; }
  // The peer in which the children's peers are made.
  virtual platform::ui::ControlPeer* ContainerPeer() const { return peer_.get(); }
  // Makes the peers the children still lack, once there is a container for them.
  void EnsureChildPeers();

  static TPropertyTable& Properties();

 protected:
  void SyncPeer() override;
  void FontChanged() override;
  void ColorChanged() override;
  void BoundsChanged() override;

 private:
  friend class TControl;
  void Insert(TControl* c);
  void Remove(TControl* c);

  std::vector<TControl*> controls_;
  int tabOrder_ = -1;
  bool tabStop_ = true;
};
