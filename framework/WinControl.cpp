#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Form.h"

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Children usually outlive their parent by a moment (their owner frees them later): their
  // native peers must go before ours, which holds them, and they must forget us.
  for (TControl* c : controls_) {
    c->DropPeer();
    c->parent_ = nullptr;
  }
  controls_.clear();
}

void TWinControl::Insert(TControl* c) { controls_.push_back(c); }

void TWinControl::Remove(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it != controls_.end()) controls_.erase(it);
  if (TForm* f = ParentForm()) f->ControlRemoved(c);
}

void TWinControl::SetTabOrder(int v) {
  if (v == tabOrder_) return;
  tabOrder_ = v;
  if (peer_) peer_->SetTabOrder(v);
}

void TWinControl::SetTabStop(bool v) {
  if (v == tabStop_) return;
  tabStop_ = v;
  if (peer_) peer_->SetTabStop(v);
}

bool TWinControl::CanFocus() {
  for (TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TForm* f = ParentForm(); f && f != this) f->SetActiveControl(this);
  if (peer_) peer_->SetFocus();
}

bool TWinControl::Focused() {
  TForm* f = ParentForm();
  return f && f->ActiveControl() == this;
}

void TWinControl::SyncPeer() {
  TControl::SyncPeer();
  peer_->SetTabOrder(tabOrder_);
  peer_->SetTabStop(tabStop_);
  EnsureChildPeers();
}

void TWinControl::EnsureChildPeers() {
  for (TControl* c : controls_) {
    c->EnsurePeer();
    // A container without a peer of its own (a notebook's page) holds its children in
    // its parent's peer.
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->Peer()) w->EnsureChildPeers();
  }
}

void TWinControl::FontChanged() {
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::BoundsChanged() {
  for (TControl* c : controls_) c->ParentResized();
}

TPropertyTable& TWinControl::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TControl::Properties());
    Prop<TWinControl>(p, "TabOrder",
                      [](TWinControl* c, const TPropValue& v) { c->SetTabOrder(static_cast<int>(AsInteger(v))); });
    Prop<TWinControl>(p, "TabStop", [](TWinControl* c, const TPropValue& v) { c->SetTabStop(AsBoolean(v)); });
    return p;
  }();
  return t;
}
