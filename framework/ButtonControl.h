// Push buttons: the plain one, the one with a picture, and the picture button that never
// takes the focus. A form's default button answers Enter and its cancel button Esc.
#pragma once

#include <string>

#include "framework/Bitmap.h"
#include "framework/WinControl.h"

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }

  // An Alt-less accelerator: the character after '&' in the caption clicks the button.
  bool DialogChar(char32_t ch) override;

  static TPropertyTable& Properties();
  // Picture buttons never take the focus.
  virtual bool Focusable() const { return true; }

 protected:
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override;
  void SyncPeer() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner) : TButtonControl(AOwner) {}
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButtonControl {
 public:
  explicit TBitBtn(TComponent* AOwner);

  TBitmap* Glyph() { return &glyph_; }
  // Loads the picture from the resources ("power.bmp").
  void SetGlyph(const std::string& resourceName);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);
  TBitBtnKind Kind() const { return kind_; }
  // A standard kind brings its own picture and, when the caption is empty, its caption.
  void SetKind(TBitBtnKind v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);

  static TPropertyTable& Properties();

 protected:
  void SyncPeer() override;

 private:
  void SendGlyph();
  void SendLayout();
  TBitmap glyph_;
  int numGlyphs_ = 1;
  TBitBtnKind kind_ = bkCustom;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};

// A picture button that never takes the keyboard focus.
class TSpeedButton : public TBitBtn {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  static TPropertyTable& Properties();
  bool Focusable() const override { return false; }
};
