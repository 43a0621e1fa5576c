// A push button with an elliptic face, drawn on its parent's surface: a raised or sunken
// ring, a solid or checkered face, and a caption with an optional relief copy. It answers
// the mouse only inside its ellipse, can be latched down as a member of a group, and fires
// OnClick for a release inside the ellipse or for its accelerator.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"

enum TFontStyle3D : std::uint8_t { bsLowered = 0, bsRaised = 1 };
enum TMaruBtnState : std::uint8_t { msUp = 0, msDisabled = 1, msPressed = 2, msLatched = 3 };

class TMaruBtn : public TGraphicControl {
 public:
  explicit TMaruBtn(TComponent* AOwner);
  ~TMaruBtn() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TColor BackFont() const { return FBackFont; }
  void SetBackFont(TColor Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Font3D() const { return FFont3D; }
  void SetFont3D(bool Value);
  std::uint8_t FontDepth() const { return FFontDepth; }
  void SetFontDepth(std::uint8_t Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TColor OutLineColor() const { return FOutLineColor; }
  void SetOutLineColor(TColor Value);
  TFontStyle3D Style3D() const { return FStyle3D; }
  void SetStyle3D(TFontStyle3D Value);

  TMaruBtnState State() const { return FState; }
  bool Tracking() const { return FTracking; }

  // Input, as the framework delivers it (tests call these directly).
  bool PtInButton(int X, int Y);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The second press of a double click.
  void LButtonDblClk(TShiftState Shift, int X, int Y);
  // OnClick when the pointer is over the ellipse (a click of the mouse).
  void Click() override;
  bool DialogChar(char32_t Ch) override;
  // The group's notification that Sender went down.
  void ButtonPressed(int Group, TMaruBtn* Sender);

  // The checkerboard shared by every round button's latched face; null until needed.
  static TBitmap* LatchPattern();

  static TPropertyTable& Properties();

 protected:
  void Paint() override;
  void EnabledChanged() override { Invalidate(); }
  void FontChanged() override { Invalidate(); }
  void TextChanged() override { Invalidate(); }
  void ColorChanged() override { Invalidate(); }
  void PeerMouseDown(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) override;
  void PeerDblClick(int x, int y) override;

 private:
  void NotifyGroup();
  void DrawCaption(RECT Rect, TMaruBtnState State);
  static RECT CaptionRect(const RECT& R);
  static void BuildLatchPattern();
  void FireClick();

  bool FAllowAllUp = false;
  TColor FBackFont = clYellow;
  bool FDown = false;
  bool FTracking = false;
  bool FFont3D = false;
  std::uint8_t FFontDepth = 1;
  int FGroupIndex = 0;
  TColor FOutLineColor = clBtnShadow;
  TFontStyle3D FStyle3D = bsRaised;
  TMaruBtnState FState = msUp;
  bool FPendingDouble = false;

  static std::unique_ptr<TBitmap> FLatchPattern;
};
