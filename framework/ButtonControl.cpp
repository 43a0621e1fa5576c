#include "framework/ButtonControl.h"

#include "framework/Accelerator.h"
#include "framework/Form.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

std::unique_ptr<platform::ui::ControlPeer> TButtonControl::MakePeer(platform::ui::Backend& b,
                                                                    platform::ui::ControlPeer* parent) {
  return b.CreateButton(parent, this);
}

void TButtonControl::SyncPeer() {
  TWinControl::SyncPeer();
  if (auto* p = PeerAs<platform::ui::ButtonPeer>()) {
    p->SetDefault(default_);
    p->SetFocusable(Focusable());
  }
}

void TButtonControl::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  if (auto* p = PeerAs<platform::ui::ButtonPeer>()) p->SetDefault(v);
}

bool TButtonControl::DialogChar(char32_t ch) {
  if (!SameAccelerator(AcceleratorOf(Caption(), true), ch) || !CanFocus()) return false;
  Click();
  return true;
}

TPropertyTable& TButtonControl::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TWinControl::Properties());
    Prop<TButtonControl>(p, "Default", [](TButtonControl* b, const TPropValue& v) { b->SetDefault(AsBoolean(v)); });
    Prop<TButtonControl>(p, "Cancel", [](TButtonControl* b, const TPropValue& v) { b->SetCancel(AsBoolean(v)); });
    Prop<TButtonControl>(p, "ModalResult", [](TButtonControl* b, const TPropValue& v) {
      b->SetModalResult(v.kind == TPropValue::Integer ? static_cast<int>(v.integer)
                                                      : AsEnum(v, {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry",
                                                                   "mrIgnore", "mrYes", "mrNo"}));
    });
    return p;
  }();
  return t;
}

// ---- TBitBtn -------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* AOwner) : TButtonControl(AOwner) {}

void TBitBtn::SyncPeer() {
  TButtonControl::SyncPeer();
  SendGlyph();
  SendLayout();
}

void TBitBtn::SendGlyph() {
  if (auto* p = PeerAs<platform::ui::ButtonPeer>()) p->SetGlyph(glyph_.Image(), numGlyphs_);
}

void TBitBtn::SendLayout() {
  if (auto* p = PeerAs<platform::ui::ButtonPeer>())
    p->SetLayout(static_cast<platform::ui::GlyphLayout>(layout_), margin_, spacing_);
}

void TBitBtn::SetGlyph(const std::string& resourceName) {
  if (!glyph_.LoadFromResource(resourceName)) throw EReadError("no picture named '" + resourceName + "'");
  SendGlyph();
}

void TBitBtn::SetNumGlyphs(int v) {
  if (v == numGlyphs_) return;
  numGlyphs_ = v;
  SendGlyph();
}

void TBitBtn::SetKind(TBitBtnKind v) {
  if (v == kind_) return;
  kind_ = v;
  const char* picture = nullptr;
  const char* caption = nullptr;
  switch (v) {
    case bkOK:
      picture = "ok.bmp";
      caption = "OK";
      SetDefault(true);
      SetModalResult(1);
      break;
    case bkCancel:
      picture = "cancel.bmp";
      caption = "ｷｬﾝｾﾙ";
      SetCancel(true);
      SetModalResult(2);
      break;
    case bkRetry:
      picture = "retry.bmp";
      caption = "再試行(&R)";
      SetModalResult(4);
      break;
    default: break;
  }
  if (picture && glyph_.LoadFromResource(picture)) {
    numGlyphs_ = 2;
    SendGlyph();
  }
  if (caption && Caption().empty()) SetCaption(caption);
}

void TBitBtn::SetLayout(TButtonLayout v) {
  if (v == layout_) return;
  layout_ = v;
  SendLayout();
}

void TBitBtn::SetMargin(int v) {
  if (v == margin_) return;
  margin_ = v;
  SendLayout();
}

void TBitBtn::SetSpacing(int v) {
  if (v == spacing_) return;
  spacing_ = v;
  SendLayout();
}

TPropertyTable& TBitBtn::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TButtonControl::Properties());
    Prop<TBitBtn>(p, "Glyph", [](TBitBtn* b, const TPropValue& v) { b->SetGlyph(AsString(v)); });
    Prop<TBitBtn>(p, "Glyph.Data", [](TBitBtn* b, const TPropValue& v) { b->SetGlyph(AsString(v)); });
    Prop<TBitBtn>(p, "NumGlyphs",
                  [](TBitBtn* b, const TPropValue& v) { b->SetNumGlyphs(static_cast<int>(AsInteger(v))); });
    Prop<TBitBtn>(p, "Kind", [](TBitBtn* b, const TPropValue& v) {
      b->SetKind(static_cast<TBitBtnKind>(AsEnum(v, {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                                     "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"})));
    });
    Prop<TBitBtn>(p, "Layout", [](TBitBtn* b, const TPropValue& v) {
      b->SetLayout(
          static_cast<TButtonLayout>(AsEnum(v, {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"})));
    });
    Prop<TBitBtn>(p, "Margin", [](TBitBtn* b, const TPropValue& v) { b->SetMargin(static_cast<int>(AsInteger(v))); });
    Prop<TBitBtn>(p, "Spacing", [](TBitBtn* b, const TPropValue& v) { b->SetSpacing(static_cast<int>(AsInteger(v))); });
    return p;
  }();
  return t;
}

// ---- TSpeedButton ------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TBitBtn(AOwner) { SetTabStop(false); }

TPropertyTable& TSpeedButton::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TBitBtn::Properties());
    // A picture button has no frame of its own to switch and no group here.
    for (const char* ignored : {"Flat", "GroupIndex", "AllowAllUp", "Down"})
      p.Add(ignored, [](TComponent*, const TPropValue&) {});
    return p;
  }();
  return t;
}
