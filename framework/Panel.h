// A plain container with bevels; with Align alClient it fills its parent's client area.
#pragma once

#include "framework/WinControl.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner);

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel v) {
    bevelOuter_ = v;
    SendBevel();
  }
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel v) {
    bevelInner_ = v;
    SendBevel();
  }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v) {
    bevelWidth_ = v;
    SendBevel();
  }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);
  // Fits the panel to its parent's client area when it is aligned to it.
  void Realign();
  void ParentResized() override { Realign(); }

  static TPropertyTable& Properties();

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreatePanel(parent, this);
  }
  void SyncPeer() override;

 private:
  void SendBevel();
  TPanelBevel bevelOuter_ = bvRaised, bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  TAlign align_ = alNone;
};
