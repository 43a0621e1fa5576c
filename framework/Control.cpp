#include "framework/Control.h"

#include "framework/Form.h"
#include "framework/SysUtils.h"
#include "framework/WinControl.h"
#include "platform/messages/EventLoop.h"

using platform::ui::CurrentBackend;

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  font_.OnChange = [this] {
    // A font set on the control itself stops it following its parent's.
    if (!followingParent_) parentFont_ = false;
    SetPeerFont();
    FontChanged();
  };
}

TControl::~TControl() {
  font_.OnChange = nullptr;
  DropPeer();
  if (parent_) parent_->Remove(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    parent_->Remove(this);
    DropPeer();
  }
  parent_ = parent;
  if (parent_) {
    parent_->Insert(this);
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
    EnsurePeer();
  }
}

void TControl::EnsurePeer() {
  if (peer_ || !parent_) return;
  auto* backend = CurrentBackend();
  auto* container = parent_->ContainerPeer();
  if (!backend || !container) return;
  peer_ = MakePeer(*backend, container);
  if (peer_) SyncPeer();
}

void TControl::DropPeer() { peer_.reset(); }

void TControl::SyncPeer() {
  peer_->SetName(Name());
  peer_->SetBounds(left_, top_, width_, height_);
  peer_->SetText(caption_);
  peer_->SetHint(showHint_ ? hint_ : "");
  peer_->SetFont(font_.AsFontSpec());
  peer_->SetBackground(ColorToRGB(EffectiveColor()), true);
  peer_->SetEnabled(enabled_);
  peer_->SetVisible(visible_);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (peer_) peer_->SetBounds(left_, top_, width_, height_);
  BoundsChanged();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (v) PrepareToShow();
  visible_ = v;
  if (peer_) peer_->SetVisible(v);
  VisibleChanged();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (peer_) peer_->SetEnabled(v);
  EnabledChanged();
}

void TControl::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  if (peer_) peer_->SetText(v);
  TextChanged();
}

void TControl::SetHint(const std::string& v) {
  if (v == hint_) return;
  hint_ = v;
  if (peer_) peer_->SetHint(showHint_ ? hint_ : "");
}

void TControl::SetShowHint(bool v) {
  if (v == showHint_) return;
  showHint_ = v;
  if (peer_) peer_->SetHint(showHint_ ? hint_ : "");
}

void TControl::SetParentFont(bool v) {
  if (v == parentFont_) return;
  parentFont_ = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  followingParent_ = true;
  font_.Assign(*parent_->Font());
  followingParent_ = false;
}

void TControl::SetColor(TColor v) {
  parentColor_ = false;
  if (v == color_) return;
  color_ = v;
  if (peer_) peer_->SetBackground(ColorToRGB(EffectiveColor()), true);
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  if (v == parentColor_) return;
  parentColor_ = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  if (parent_->Color() == color_) return;
  color_ = parent_->Color();
  if (peer_) peer_->SetBackground(ColorToRGB(EffectiveColor()), true);
  ColorChanged();
}

TColor TControl::EffectiveColor() const { return color_; }

void TControl::SetPeerFont() {
  if (peer_) peer_->SetFont(font_.AsFontSpec());
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() {
  if (peer_) peer_->Invalidate();
}

void TControl::Repaint() {
  if (peer_) peer_->Repaint();
}

TForm* TControl::ParentForm() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(c);
}

namespace {
TMouseButton FromPeer(platform::ui::MouseButton b) {
  switch (b) {
    case platform::ui::MouseButton::Right: return mbRight;
    case platform::ui::MouseButton::Middle: return mbMiddle;
    default: return mbLeft;
  }
}
}  // namespace

void TControl::PeerMouseDown(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) {
  platform::DispatchSafely([&] { MouseDown(FromPeer(b), s, x, y); });
}

void TControl::PeerMouseMove(platform::ui::ShiftState s, int x, int y) {
  platform::DispatchSafely([&] { MouseMove(s, x, y); });
}

void TControl::PeerMouseUp(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) {
  platform::DispatchSafely([&] { MouseUp(FromPeer(b), s, x, y); });
}

void TControl::PeerMouseLeave() {
  platform::DispatchSafely([&] { MouseLeave(); });
}

void TControl::PeerDblClick(int, int) {
  platform::DispatchSafely([&] { DblClick(); });
}

void TControl::PeerClick() {
  platform::DispatchSafely([&] { Click(); });
}

TColor AsColor(const TPropValue& v) {
  if (v.kind == TPropValue::Integer) return static_cast<TColor>(v.integer);
  TColor c = 0;
  if (!IdentToColor(AsIdent(v), c)) throw EReadError("'" + v.text + "' is not a colour", v.line);
  return c;
}

TFontStyles AsFontStyles(const TPropValue& v) {
  return AsSetBits(v, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
}

TPropertyTable& TControl::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p;
    Prop<TControl>(p, "Left", [](TControl* c, const TPropValue& v) { c->SetLeft(static_cast<int>(AsInteger(v))); });
    Prop<TControl>(p, "Top", [](TControl* c, const TPropValue& v) { c->SetTop(static_cast<int>(AsInteger(v))); });
    Prop<TControl>(p, "Width", [](TControl* c, const TPropValue& v) { c->SetWidth(static_cast<int>(AsInteger(v))); });
    Prop<TControl>(p, "Height", [](TControl* c, const TPropValue& v) { c->SetHeight(static_cast<int>(AsInteger(v))); });
    Prop<TControl>(p, "Caption", [](TControl* c, const TPropValue& v) { c->SetCaption(AsString(v)); });
    Prop<TControl>(p, "Hint", [](TControl* c, const TPropValue& v) { c->SetHint(AsString(v)); });
    Prop<TControl>(p, "ShowHint", [](TControl* c, const TPropValue& v) { c->SetShowHint(AsBoolean(v)); });
    Prop<TControl>(p, "ParentShowHint", [](TControl*, const TPropValue& v) { AsBoolean(v); });
    Prop<TControl>(p, "Visible", [](TControl* c, const TPropValue& v) { c->SetVisible(AsBoolean(v)); });
    Prop<TControl>(p, "Enabled", [](TControl* c, const TPropValue& v) { c->SetEnabled(AsBoolean(v)); });
    Prop<TControl>(p, "Color", [](TControl* c, const TPropValue& v) { c->SetColor(AsColor(v)); });
    Prop<TControl>(p, "ParentColor", [](TControl* c, const TPropValue& v) { c->SetParentColor(AsBoolean(v)); });
    Prop<TControl>(p, "ParentFont", [](TControl* c, const TPropValue& v) { c->SetParentFont(AsBoolean(v)); });
    Prop<TControl>(p, "Font.Name", [](TControl* c, const TPropValue& v) { c->Font()->SetName(AsString(v)); });
    Prop<TControl>(p, "Font.Height",
                   [](TControl* c, const TPropValue& v) { c->Font()->SetHeight(static_cast<int>(AsInteger(v))); });
    Prop<TControl>(p, "Font.Color", [](TControl* c, const TPropValue& v) { c->Font()->SetColor(AsColor(v)); });
    Prop<TControl>(p, "Font.Style", [](TControl* c, const TPropValue& v) { c->Font()->SetStyle(AsFontStyles(v)); });
    Prop<TControl>(p, "Font.Charset", [](TControl* c, const TPropValue& v) {
      c->Font()->SetCharset(v.kind == TPropValue::Integer
                                ? static_cast<int>(v.integer)
                                : AsEnum(v, {"ANSI_CHARSET", "DEFAULT_CHARSET", "SHIFTJIS_CHARSET"}));
    });
    Prop<TControl>(p, "Tag", [](TControl* c, const TPropValue& v) { c->SetTag(static_cast<int>(AsInteger(v))); });
    Prop<TControl>(p, "OnClick",
                   [](TControl* c, const TPropValue& v) { c->OnClick = HandlersFor(c).Get<TNotifyEvent>(v); });
    Prop<TControl>(p, "OnDblClick",
                   [](TControl* c, const TPropValue& v) { c->OnDblClick = HandlersFor(c).Get<TNotifyEvent>(v); });
    return p;
  }();
  return t;
}
