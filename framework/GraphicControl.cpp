#include "framework/GraphicControl.h"

#include "framework/Form.h"
#include "platform/messages/EventLoop.h"
#include "platform/system/ScopeExit.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::SyncPeer() {
  TControl::SyncPeer();
  // A drawn control paints only what it draws; the parent shows through the rest.
  peer_->SetBackground(ColorToRGB(Color()), false);
}

void TGraphicControl::PaintTo(HDC dc) {
  canvas_.SetHandle(dc);
  const platform::ScopeExit unbind([this] { canvas_.SetHandle(nullptr); });
  Paint();
}

void TGraphicControl::PeerPaint(HDC dc) {
  platform::DispatchSafely([&] { PaintTo(dc); });
}

POINT TGraphicControl::ScreenToClient(POINT p) {
  // The control's corner on the screen: the offsets of every parent down from the form's
  // client area, whose own corner lies inside the form's frame.
  LONG x = Left(), y = Top();
  for (TWinControl* w = Parent(); w != nullptr; w = w->Parent()) {
    if (auto* f = dynamic_cast<TForm*>(w)) {
      x += f->Left() + f->FrameLeft();
      y += f->Top() + f->FrameTop();
      break;
    }
    x += w->Left();
    y += w->Top();
  }
  return POINT{p.x - x, p.y - y};
}
