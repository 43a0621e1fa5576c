// The control model: a rectangle in its parent with a caption, font, colour, hint, and
// visibility and enabled state. It works without any window system; when a backend is
// installed it also keeps a native peer in step with itself.
#pragma once

#include <memory>
#include <string>

#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/Properties.h"
#include "platform/ui/Peers.h"

class TWinControl;
class TForm;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = platform::ui::ShiftState;

class TControl : public TComponent, public platform::ui::PeerHandler {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  void SetName(const std::string& name) override {
    TComponent::SetName(name);
    if (peer_) peer_->SetName(name);
  }

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);

  TFont* Font() { return &font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  // Raises OnClick, as a click of the user does.
  virtual void Click();
  virtual void DblClick();
  // Repaint when the loop next gets to it, or at once.
  void Invalidate();
  void Repaint();

  // The form the control stands on (itself for a form).
  TForm* ParentForm();
  platform::ui::ControlPeer* Peer() const { return peer_.get(); }
  virtual bool IsWindowed() const { return false; }

  // A character typed on the form, offered to each control as a possible accelerator;
  // true when the control took it.
  virtual bool DialogChar(char32_t) { return false; }

  static TPropertyTable& Properties();

  // Makes the peer when the parent has one and a backend is installed; parents call it for
  // their children once their own peer exists.
  void EnsurePeer();
  void DropPeer();

  // Called by the parent when its own font or colour changes, for the controls that
  // follow their parent's.
  void ParentFontChanged();
  void ParentColorChanged();
  // Called by the parent when its size changes, for the controls aligned to it.
  virtual void ParentResized() {}

 protected:
  // A derived control makes its kind of peer here; nullptr for none.
  virtual std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend&, platform::ui::ControlPeer*) {
    return nullptr;
  }
  // Sends every property to a new peer; derived controls add their own.
  virtual void SyncPeer();
  // Derived controls that hold typed peers take them from here.
  template <class P>
  P* PeerAs() const {
    return dynamic_cast<P*>(peer_.get());
  }

  // Notifications after a property changed.
  virtual void EnabledChanged() {}
  virtual void FontChanged() {}
  virtual void TextChanged() {}
  virtual void ColorChanged() {}
  // Runs before a hidden control is shown, before its peer hears of it.
  virtual void PrepareToShow() {}
  virtual void VisibleChanged() {}
  virtual void BoundsChanged() {}

  // Mouse input of drawn controls, in client coordinates.
  virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void MouseMove(TShiftState, int, int) {}
  virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
  virtual void MouseLeave() {}

  // Peer callbacks, each run through the application's error report.
  void PeerMouseDown(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) override;
  void PeerMouseMove(platform::ui::ShiftState s, int x, int y) override;
  void PeerMouseUp(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) override;
  void PeerMouseLeave() override;
  void PeerDblClick(int x, int y) override;
  void PeerClick() override;

  // The colour the peer shows: the control's own, or the parent's.
  TColor EffectiveColor() const;
  void SetPeerFont();

  std::unique_ptr<platform::ui::ControlPeer> peer_;

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  bool showHint_ = false;
  TFont font_;
  bool parentFont_ = true;
  bool followingParent_ = false;  // the font is being copied from the parent
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  int tag_ = 0;
};

// Reads a font's properties ("Font.Name" ...) and the colour names shared by every control.
TColor AsColor(const TPropValue& v);
TFontStyles AsFontStyles(const TPropValue& v);
