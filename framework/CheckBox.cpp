#include "framework/CheckBox.h"

#include "platform/messages/EventLoop.h"

void TCheckBox::SyncPeer() {
  TWinControl::SyncPeer();
  PeerAs<platform::ui::CheckBoxPeer>()->SetChecked(checked_);
}

void TCheckBox::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (auto* p = PeerAs<platform::ui::CheckBoxPeer>()) p->SetChecked(v);
  Click();
}

void TCheckBox::PeerCheck(bool checked) {
  platform::DispatchSafely([&] { SetChecked(checked); });
}

TPropertyTable& TCheckBox::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TCheckBox>(p, "Checked", [](TCheckBox* c, const TPropValue& v) { c->SetChecked(AsBoolean(v)); });
    Prop<TCheckBox>(p, "State", [](TCheckBox* c, const TPropValue& v) {
      c->SetChecked(AsEnum(v, {"cbUnchecked", "cbChecked", "cbGrayed"}) == 1);
    });
    return p;
  }();
  return t;
}
