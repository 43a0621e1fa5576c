#include "framework/Image.h"

void TImage::SyncPeer() {
  TControl::SyncPeer();
  auto* p = PeerAs<platform::ui::ImagePeer>();
  p->SetStretch(stretch_);
  p->SetPicture(picture_.Image());
}

void TImage::SetPicture(const std::string& resourceName) {
  if (!picture_.LoadFromResource(resourceName)) throw EReadError("no picture named '" + resourceName + "'");
  if (auto* p = PeerAs<platform::ui::ImagePeer>()) p->SetPicture(picture_.Image());
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
    return p;
  }();
  return t;
}
