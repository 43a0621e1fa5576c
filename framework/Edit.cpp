#include "framework/Edit.h"

#include "platform/messages/EventLoop.h"

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) { SetColor(clWindow); }

void TEdit::SyncPeer() {
  TWinControl::SyncPeer();
  PeerAs<platform::ui::EditPeer>()->SetReadOnly(readOnly_);
}

void TEdit::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  if (auto* p = PeerAs<platform::ui::EditPeer>()) p->SetReadOnly(v);
}

void TEdit::TextChanged() {
  if (OnChange) OnChange(this);
}

void TEdit::PeerText(const std::string& text) {
  // The native field already shows the text; only the model and OnChange follow.
  platform::DispatchSafely([&] { SetCaption(text); });
}

void TEdit::PeerFocus(bool focused) {
  if (!focused) platform::DispatchSafely([&] { UserLeave(); });
}

bool TEdit::PeerKey(platform::ui::Key key, platform::ui::ShiftState) {
  bool used = false;
  platform::DispatchSafely([&] { used = UserKey(key); });
  return used;
}

TPropertyTable& TEdit::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TEdit>(p, "Text", [](TEdit* e, const TPropValue& v) { e->SetText(AsString(v)); });
    Prop<TEdit>(p, "ReadOnly", [](TEdit* e, const TPropValue& v) { e->SetReadOnly(AsBoolean(v)); });
    Prop<TEdit>(p, "OnChange",
                [](TEdit* e, const TPropValue& v) { e->OnChange = HandlersFor(e).Get<TNotifyEvent>(v); });
    p.Add("MaxLength", [](TComponent*, const TPropValue& v) { AsInteger(v); });
    return p;
  }();
  return t;
}
