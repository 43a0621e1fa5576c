#include "framework/Image.h"

void TImage::SyncPeer() {
  TControl::SyncPeer();
  auto* p = PeerAs<platform::ui::ImagePeer>();
  p->SetStretch(stretch_);
  SendPicture();
}

void TImage::SendPicture() {
  auto* p = PeerAs<platform::ui::ImagePeer>();
  if (!p) return;
  if (!transparent_ || picture_.Empty()) {
    p->SetPicture(picture_.Image());
    return;
  }
  platform::ui::Image shown = picture_.Image();
  const std::uint32_t key = shown.pixels[static_cast<std::size_t>((shown.height - 1) * shown.width)] & 0xFFFFFFu;
  for (auto& px : shown.pixels)
    if ((px & 0xFFFFFFu) == key) px = 0;
  p->SetPicture(shown);
}

void TImage::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  SendPicture();
}

void TImage::SetPicture(const std::string& resourceName) {
  if (!picture_.LoadFromResource(resourceName)) throw EReadError("no picture named '" + resourceName + "'");
  SendPicture();
}

void TImage::SetStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  if (auto* p = PeerAs<platform::ui::ImagePeer>()) p->SetStretch(v);
}

TPropertyTable& TImage::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TControl::Properties());
    Prop<TImage>(p, "Picture", [](TImage* i, const TPropValue& v) { i->SetPicture(AsString(v)); });
    Prop<TImage>(p, "Picture.Data", [](TImage* i, const TPropValue& v) { i->SetPicture(AsString(v)); });
    Prop<TImage>(p, "Stretch", [](TImage* i, const TPropValue& v) { i->SetStretch(AsBoolean(v)); });
    Prop<TImage>(p, "Transparent", [](TImage* i, const TPropValue& v) { i->SetTransparent(AsBoolean(v)); });
    return p;
  }();
  return t;
}
