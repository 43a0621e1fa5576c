// A picture on its parent, at its own size or stretched over the control.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"

class TImage : public TControl {
 public:
  explicit TImage(TComponent* AOwner) : TControl(AOwner) {}

  TBitmap* Picture() { return &picture_; }
  // Loads the picture from the resources ("deck.bmp").
  void SetPicture(const std::string& resourceName);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  // Pixels of the bottom-left pixel's colour let the parent show through.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreateImage(parent, this);
  }
  void SyncPeer() override;

 private:
  void SendPicture();
  TBitmap picture_;
  bool stretch_ = false;
  bool transparent_ = false;
};
