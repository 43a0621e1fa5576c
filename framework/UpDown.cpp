#include "framework/UpDown.h"

#include "framework/SysUtils.h"
#include "platform/messages/EventLoop.h"

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {}

TUpDown::~TUpDown() {
  if (associate_) {
    associate_->OnChange = previousOnChange_;
    associate_->OnArrowKey = nullptr;
  }
}

void TUpDown::SyncPeer() {
  TWinControl::SyncPeer();
  SendRange();
}

void TUpDown::SendRange() {
  if (auto* p = PeerAs<platform::ui::UpDownPeer>()) {
    p->SetRange(min_, max_, increment_, wrap_);
    p->SetPosition(position_);
  }
}

void TUpDown::SetAssociate(TEdit* e) {
  if (e == associate_) return;
  if (associate_) {
    associate_->OnChange = previousOnChange_;
    associate_->OnArrowKey = nullptr;
  }
  associate_ = e;
  if (!e) return;
  e->OnArrowKey = [this](platform::ui::Key key) {
    if (!arrowKeys_ || !Enabled() || (key != platform::ui::Key::Up && key != platform::ui::Key::Down)) return false;
    Step(key == platform::ui::Key::Up);
    return true;
  };
  previousOnChange_ = e->OnChange;
  e->OnChange = [this](TObject* sender) {
    FollowAssociate();
    if (previousOnChange_) previousOnChange_(sender);
  };
  e->SetEnabled(Enabled());
  ShowInAssociate();
}

void TUpDown::SetMin(int v) {
  if (v == min_) return;
  min_ = v;
  SendRange();
}

void TUpDown::SetMax(int v) {
  if (v == max_) return;
  max_ = v;
  SendRange();
}

void TUpDown::SetPosition(int v) {
  // Out-of-range positions are brought into range, never refused.
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (v == position_) {
    ShowInAssociate();
    return;
  }
  position_ = v;
  if (auto* p = PeerAs<platform::ui::UpDownPeer>()) p->SetPosition(v);
  ShowInAssociate();
}

void TUpDown::ShowInAssociate() {
  if (!associate_ || updating_ || Loading()) return;
  updating_ = true;
  associate_->SetText(IntToStr(position_));
  updating_ = false;
}

void TUpDown::FollowAssociate() {
  if (updating_ || !associate_) return;
  int v = 0;
  // A number typed within the range becomes the position; anything else is left as typed.
  if (!TryStrToInt(associate_->Text(), v) || v < min_ || v > max_) return;
  updating_ = true;
  position_ = v;
  if (auto* p = PeerAs<platform::ui::UpDownPeer>()) p->SetPosition(v);
  updating_ = false;
}

void TUpDown::Step(bool up) {
  int v = position_ + (up ? increment_ : -increment_);
  if (v > max_) v = wrap_ ? min_ : max_;
  if (v < min_) v = wrap_ ? max_ : min_;
  if (v == position_) return;
  SetPosition(v);
  if (OnClick) OnClick(this);
}

void TUpDown::PeerPosition(int position) {
  platform::DispatchSafely([&] {
    if (position == position_) return;
    Step(position > position_);
  });
}

void TUpDown::EnabledChanged() {
  if (associate_) associate_->SetEnabled(Enabled());
}

TPropertyTable& TUpDown::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TUpDown>(p, "Associate", [](TUpDown* u, const TPropValue& v) {
      auto* e = dynamic_cast<TEdit*>(u->Owner() ? u->Owner()->FindComponent(AsIdent(v)) : nullptr);
      if (!e) throw EReadError("no edit field named '" + v.text + "'", v.line);
      u->SetAssociate(e);
    });
    Prop<TUpDown>(p, "Min", [](TUpDown* u, const TPropValue& v) { u->SetMin(static_cast<int>(AsInteger(v))); });
    Prop<TUpDown>(p, "Max", [](TUpDown* u, const TPropValue& v) { u->SetMax(static_cast<int>(AsInteger(v))); });
    Prop<TUpDown>(p, "Position",
                  [](TUpDown* u, const TPropValue& v) { u->SetPosition(static_cast<int>(AsInteger(v))); });
    Prop<TUpDown>(p, "Increment",
                  [](TUpDown* u, const TPropValue& v) { u->SetIncrement(static_cast<int>(AsInteger(v))); });
    Prop<TUpDown>(p, "Wrap", [](TUpDown* u, const TPropValue& v) { u->SetWrap(AsBoolean(v)); });
    Prop<TUpDown>(p, "ArrowKeys", [](TUpDown* u, const TPropValue& v) { u->SetArrowKeys(AsBoolean(v)); });
    p.Add("Orientation", [](TComponent*, const TPropValue& v) { AsEnum(v, {"udVertical"}); });
    return p;
  }();
  return t;
}
