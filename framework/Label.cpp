#include "framework/Label.h"

#include "framework/WinControl.h"

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) { SetParentColor(true); }

std::unique_ptr<platform::ui::ControlPeer> TLabel::MakePeer(platform::ui::Backend& b,
                                                            platform::ui::ControlPeer* parent) {
  return b.CreateLabel(parent, this);
}

void TLabel::SyncPeer() {
  TControl::SyncPeer();
  auto* p = PeerAs<platform::ui::LabelPeer>();
  p->SetAlignment(static_cast<platform::ui::Alignment>(alignment_));
  p->SetWordWrap(wordWrap_);
  SendBackground();
  // A label that sizes itself was measured without the window system's fonts until now.
  AdjustSize();
}

void TLabel::SendBackground() {
  if (peer_) peer_->SetBackground(ColorToRGB(Color()), !transparent_);
}

void TLabel::ColorChanged() { SendBackground(); }

void TLabel::MeasureCaption(int& width, int& height) {
  if (auto* p = PeerAs<platform::ui::LabelPeer>()) {
    p->MeasureText(Caption(), width, height);
    return;
  }
  // Without a window system, a proportional Japanese face is taken as square for the
  // full-width characters and two thirds as wide for the others.
  const int h = Font()->Height();
  int w3 = 0;  // width in thirds of a pixel
  const std::string& s = Caption();
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    // Half-width katakana (EF BD A1 .. EF BE 9F) are narrow too.
    const bool halfKana =
        len == 3 && c == 0xEF && i + 1 < s.size() &&
        (static_cast<unsigned char>(s[i + 1]) == 0xBD || static_cast<unsigned char>(s[i + 1]) == 0xBE);
    w3 += (len == 1 || halfKana) ? 2 * h : 3 * h;
    i += len;
  }
  width = (w3 + 2) / 3;
  height = h;
}

void TLabel::AdjustSize() {
  if (!autoSize_ || Loading()) return;
  int w = 0, h = 0;
  MeasureCaption(w, h);
  SetBounds(Left(), Top(), w, h);
}

void TLabel::Loaded() {
  // The stored size was measured in the designer's font; the face on this machine may be
  // wider or narrower, so a label that sizes itself measures again.
  AdjustSize();
}

void TLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustSize();
}

void TLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  if (auto* p = PeerAs<platform::ui::LabelPeer>()) p->SetAlignment(static_cast<platform::ui::Alignment>(v));
}

void TLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  SendBackground();
}

void TLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  if (auto* p = PeerAs<platform::ui::LabelPeer>()) p->SetWordWrap(v);
}

TPropertyTable& TLabel::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TControl::Properties());
    Prop<TLabel>(p, "AutoSize", [](TLabel* l, const TPropValue& v) { l->SetAutoSize(AsBoolean(v)); });
    Prop<TLabel>(p, "Alignment", [](TLabel* l, const TPropValue& v) {
      l->SetAlignment(static_cast<TAlignment>(AsEnum(v, {"taLeftJustify", "taRightJustify", "taCenter"})));
    });
    Prop<TLabel>(p, "Transparent", [](TLabel* l, const TPropValue& v) { l->SetTransparent(AsBoolean(v)); });
    Prop<TLabel>(p, "WordWrap", [](TLabel* l, const TPropValue& v) { l->SetWordWrap(AsBoolean(v)); });
    p.Add("Layout", [](TComponent*, const TPropValue&) {});
    return p;
  }();
  return t;
}
