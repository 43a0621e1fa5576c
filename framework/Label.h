// A text on its parent: left, right or centred, transparent or on its own colour, and
// sizing itself to its text when asked.
#pragma once

#include "framework/Control.h"

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* AOwner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);

  // The size the caption needs in the label's font.
  void MeasureCaption(int& width, int& height);

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override;
  void SyncPeer() override;
  void TextChanged() override { AdjustSize(); }
  void FontChanged() override { AdjustSize(); }
  void ColorChanged() override;
  void Loaded() override;

 private:
  void AdjustSize();
  void SendBackground();
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = false;
  bool wordWrap_ = false;
};
