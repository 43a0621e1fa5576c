#include "framework/Panel.h"

#include "framework/Form.h"

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {}

void TPanel::SyncPeer() {
  TWinControl::SyncPeer();
  SendBevel();
}

void TPanel::SendBevel() {
  if (auto* p = PeerAs<platform::ui::PanelPeer>())
    p->SetBevel(static_cast<platform::ui::Bevel>(bevelOuter_), static_cast<platform::ui::Bevel>(bevelInner_),
                bevelWidth_);
}

void TPanel::SetAlign(TAlign v) {
  align_ = v;
  Realign();
}

void TPanel::Realign() {
  if (align_ != alClient || !Parent()) return;
  if (auto* f = dynamic_cast<TForm*>(Parent())) {
    SetBounds(0, 0, f->ClientWidth(), f->ClientHeight());
  } else {
    SetBounds(0, 0, Parent()->Width(), Parent()->Height());
  }
}

TPropertyTable& TPanel::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    const std::vector<std::string> bevels = {"bvNone", "bvLowered", "bvRaised"};
    Prop<TPanel>(p, "BevelOuter", [bevels](TPanel* x, const TPropValue& v) {
      x->SetBevelOuter(static_cast<TPanelBevel>(AsEnum(v, bevels)));
    });
    Prop<TPanel>(p, "BevelInner", [bevels](TPanel* x, const TPropValue& v) {
      x->SetBevelInner(static_cast<TPanelBevel>(AsEnum(v, bevels)));
    });
    Prop<TPanel>(p, "BevelWidth",
                 [](TPanel* x, const TPropValue& v) { x->SetBevelWidth(static_cast<int>(AsInteger(v))); });
    Prop<TPanel>(p, "Align", [](TPanel* x, const TPropValue& v) {
      x->SetAlign(static_cast<TAlign>(AsEnum(v, {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"})));
    });
    return p;
  }();
  return t;
}
