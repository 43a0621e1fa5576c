#include "controls/MaruBtn.h"

#include <cmath>

#include "framework/Accelerator.h"
#include "framework/WinControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/messages/EventLoop.h"

std::unique_ptr<TBitmap> TMaruBtn::FLatchPattern;

TMaruBtn::TMaruBtn(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 50, 50);
  SetColor(clBtnFace);
}

TMaruBtn::~TMaruBtn() {
  // Any round button going frees the shared checkerboard; the next latched paint makes it
  // again.
  FLatchPattern.reset();
}

TBitmap* TMaruBtn::LatchPattern() { return FLatchPattern.get(); }

void TMaruBtn::BuildLatchPattern() {
  platform::ui::Image image;
  image.width = 8;
  image.height = 8;
  const TColor face = ColorToRGB(clBtnFace);
  const std::uint32_t faceArgb = 0xFF000000u | (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
  image.pixels.assign(64, faceArgb);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x % 2) == (y % 2)) image.pixels[static_cast<std::size_t>(y * 8 + x)] = 0xFFFFFFFFu;
  FLatchPattern = std::make_unique<TBitmap>();
  FLatchPattern->SetImage(std::move(image));
}

// ---- Appearance properties ----------------------------------------------------------

void TMaruBtn::SetBackFont(TColor Value) {
  if (Value == FBackFont) return;
  FBackFont = Value;
  if (FFont3D) Invalidate();
}

void TMaruBtn::SetFont3D(bool Value) {
  if (Value == FFont3D) return;
  FFont3D = Value;
  Invalidate();
}

void TMaruBtn::SetFontDepth(std::uint8_t Value) {
  if (Value == FFontDepth) return;
  FFontDepth = Value;
  if (FFont3D) Invalidate();
}

void TMaruBtn::SetOutLineColor(TColor Value) {
  if (Value == FOutLineColor) return;
  FOutLineColor = Value;
  Invalidate();
}

void TMaruBtn::SetStyle3D(TFontStyle3D Value) {
  if (Value == FStyle3D) return;
  FStyle3D = Value;
  Invalidate();
}

// ---- Drawing ------------------------------------------------------------------------------

RECT TMaruBtn::CaptionRect(const RECT& R) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  const int cx = R.left / 2 + R.right / 2, cy = R.top / 2 + R.bottom / 2;
  const int ax = static_cast<int>(std::lround(w / 4.0 * std::sqrt(2.0)));
  const int ay = static_cast<int>(std::lround(h / 4.0 * std::sqrt(2.0)));
  return RECT{cx - ax, cy - ay, cx + ax, cy + ay};
}

void TMaruBtn::Paint() {
  if (!Enabled()) {
    FState = msDisabled;
    FTracking = false;
  } else if (FState == msDisabled) {
    FState = (FDown && FGroupIndex != 0) ? msLatched : msUp;
  }
  const RECT C{0, 0, Width(), Height()};
  TCanvas* canvas = Canvas();
  const bool sunken = FState == msPressed || FState == msLatched;

  if (FState == msLatched) {
    if (!FLatchPattern) BuildLatchPattern();
    canvas->Brush()->SetBitmap(FLatchPattern.get());
  } else {
    canvas->Brush()->SetBitmap(nullptr);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
  }
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(Color());
  canvas->Ellipse(C.left, C.top, C.right, C.bottom);

  canvas->Brush()->SetBitmap(nullptr);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Pen()->SetWidth(3);
  const RECT I{2, 2, Width() - 2, Height() - 2};
  const int qx = (Width() - 4) / 5, qy = (Height() - 4) / 5;
  canvas->Pen()->SetColor(sunken ? clBtnHighlight : clBtnShadow);
  canvas->Arc(I.left, I.top, I.right, I.bottom, qx, 4 * qy, 4 * qx, qy);
  canvas->Pen()->SetColor(sunken ? clBtnShadow : clBtnHighlight);
  canvas->Arc(I.left, I.top, I.right, I.bottom, 4 * qx, qy, qx, 4 * qy);

  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(FOutLineColor);
  canvas->Ellipse(C.left, C.top, C.right, C.bottom);

  DrawCaption(C, FState);
}

void TMaruBtn::DrawCaption(RECT Rect, TMaruBtnState State) {
  constexpr UINT kDraw = DT_CENTER | DT_EXPANDTABS;
  constexpr UINT kMeasure = kDraw | DT_CALCRECT;
  TCanvas* canvas = Canvas();
  const std::string& text = Caption();
  RECT M = CaptionRect(Rect);
  RECT D = M;
  canvas->Font()->Assign(*Font());

  auto draw = [&] { DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &D, kDraw); };
  auto measureAndCentre = [&] {
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &M, kMeasure);
    const int th = M.bottom - M.top;
    D.top = (D.top + D.bottom - th) / 2;
    D.bottom = D.top + th;
  };

  if (State == msDisabled) {
    OffsetRect(&M, 1, 1);
    OffsetRect(&D, 1, 1);
    measureAndCentre();
    canvas->Font()->SetColor(clWhite);
    draw();
    OffsetRect(&D, -1, -1);
    canvas->Font()->SetColor(clGray);
    draw();
    return;
  }
  if (State == msPressed || State == msLatched) {
    OffsetRect(&M, 1, 1);
    OffsetRect(&D, 1, 1);
  }
  if (!FFont3D) {
    measureAndCentre();
    draw();
    return;
  }
  // Any style but lowered draws as raised.
  const int depth = FStyle3D == bsLowered ? FFontDepth : -static_cast<int>(FFontDepth);
  OffsetRect(&M, depth, depth);
  OffsetRect(&D, depth, depth);
  canvas->Font()->SetColor(FBackFont);
  measureAndCentre();
  draw();
  OffsetRect(&D, -depth, -depth);
  canvas->Font()->Assign(*Font());
  draw();
}

// ---- Input ----------------------------------------------------------------------------------

bool TMaruBtn::PtInButton(int X, int Y) {
  HRGN region = CreateEllipticRgn(0, 0, Width(), Height());
  if (region == nullptr) return false;
  const bool inside = PtInRegion(region, X, Y) != FALSE;
  DeleteObject(region);
  return inside;
}

void TMaruBtn::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!PtInButton(X, Y)) return;
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = msPressed;
    Repaint();
  }
  FTracking = true;
}

void TMaruBtn::MouseMove(TShiftState Shift, int X, int Y) {
  const bool inside = PtInButton(X, Y);
  if (inside && OnMouseMove) OnMouseMove(this, Shift, X, Y);
  if (!FTracking) return;
  const TMaruBtnState next = FDown ? msLatched : (inside ? msPressed : msUp);
  if (next != FState) {
    FState = next;
    Repaint();
  }
}

void TMaruBtn::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (PtInButton(X, Y) && OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
  if (!FTracking) return;
  FTracking = false;
  const bool inside = PtInButton(X, Y);
  FState = msUp;
  if (FGroupIndex == 0) {
    Repaint();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) FState = msLatched;
  } else {
    if (FDown) FState = msLatched;
    Repaint();
  }
  if (inside) Click();
}

void TMaruBtn::Click() {
  POINT p{};
  GetCursorPos(&p);
  const POINT c = ScreenToClient(p);
  if (PtInButton(c.x, c.y)) FireClick();
}

void TMaruBtn::FireClick() {
  if (OnClick) OnClick(this);
}

void TMaruBtn::LButtonDblClk(TShiftState Shift, int X, int Y) {
  if (PtInButton(X, Y)) {
    Shift.doubleClick = true;
    MouseDown(mbLeft, Shift, X, Y);
  }
  if (FDown && OnDblClick) OnDblClick(this);
}

void TMaruBtn::PeerDblClick(int, int) {
  // The native side reports the double click first and then its press; the press is the
  // one handled, as the second press of a double click.
  FPendingDouble = true;
}

void TMaruBtn::PeerMouseDown(platform::ui::MouseButton b, platform::ui::ShiftState s, int x, int y) {
  if (FPendingDouble && b == platform::ui::MouseButton::Left) {
    FPendingDouble = false;
    platform::DispatchSafely([&] { LButtonDblClk(s, x, y); });
    return;
  }
  FPendingDouble = false;
  TGraphicControl::PeerMouseDown(b, s, x, y);
}

bool TMaruBtn::DialogChar(char32_t Ch) {
  // The first ampersand marks the accelerator, even when another follows it.
  if (!SameAccelerator(AcceleratorOf(Caption(), false), Ch) || !Enabled()) return false;
  // A typed accelerator clicks the button wherever the pointer happens to be; only a click
  // of the mouse needs the pointer over the ellipse.
  FireClick();
  return true;
}

// ---- Groups ---------------------------------------------------------------------------------

void TMaruBtn::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? msLatched : msUp;
  Invalidate();
  if (Value) NotifyGroup();
}

void TMaruBtn::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  NotifyGroup();
}

void TMaruBtn::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  NotifyGroup();
}

void TMaruBtn::NotifyGroup() {
  if (FGroupIndex == 0 || Parent() == nullptr) return;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TMaruBtn*>(parent->Controls(i))) b->ButtonPressed(FGroupIndex, this);
}

void TMaruBtn::ButtonPressed(int Group, TMaruBtn* Sender) {
  if (Group != FGroupIndex || Sender == this) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    FState = msUp;
    Invalidate();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

// ---- Properties ------------------------------------------------------------------------------

TPropertyTable& TMaruBtn::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p(&TControl::Properties());
    Prop<TMaruBtn>(p, "AllowAllUp", [](TMaruBtn* b, const TPropValue& v) { b->SetAllowAllUp(AsBoolean(v)); });
    Prop<TMaruBtn>(p, "BackFont", [](TMaruBtn* b, const TPropValue& v) { b->SetBackFont(AsColor(v)); });
    Prop<TMaruBtn>(p, "Down", [](TMaruBtn* b, const TPropValue& v) { b->SetDown(AsBoolean(v)); });
    Prop<TMaruBtn>(p, "Font3D", [](TMaruBtn* b, const TPropValue& v) { b->SetFont3D(AsBoolean(v)); });
    Prop<TMaruBtn>(p, "FontDepth", [](TMaruBtn* b, const TPropValue& v) {
      const long long d = AsInteger(v);
      if (d < 0 || d > 255) throw EReadError("FontDepth must lie between 0 and 255", v.line);
      b->SetFontDepth(static_cast<std::uint8_t>(d));
    });
    Prop<TMaruBtn>(p, "GroupIndex",
                   [](TMaruBtn* b, const TPropValue& v) { b->SetGroupIndex(static_cast<int>(AsInteger(v))); });
    Prop<TMaruBtn>(p, "OutLineColor", [](TMaruBtn* b, const TPropValue& v) { b->SetOutLineColor(AsColor(v)); });
    Prop<TMaruBtn>(p, "Style3D", [](TMaruBtn* b, const TPropValue& v) {
      b->SetStyle3D(static_cast<TFontStyle3D>(AsEnum(v, {"bsLowered", "bsRaised"})));
    });
    Prop<TMaruBtn>(p, "OnMouseDown",
                   [](TMaruBtn* b, const TPropValue& v) { b->OnMouseDown = HandlersFor(b).Get<TMouseEvent>(v); });
    Prop<TMaruBtn>(p, "OnMouseMove",
                   [](TMaruBtn* b, const TPropValue& v) { b->OnMouseMove = HandlersFor(b).Get<TMouseMoveEvent>(v); });
    Prop<TMaruBtn>(p, "OnMouseUp",
                   [](TMaruBtn* b, const TPropValue& v) { b->OnMouseUp = HandlersFor(b).Get<TMouseEvent>(v); });
    return p;
  }();
  return t;
}
