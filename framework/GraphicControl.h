// A control without a window of its own that draws itself on its parent's surface, inside
// its bounds, whenever that area is painted.
#pragma once

#include <functional>

#include "framework/Canvas.h"
#include "framework/Control.h"

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  TCanvas* Canvas() { return &canvas_; }
  // Paints the control on a device context whose origin is the control's top-left corner.
  void PaintTo(HDC dc);

  // Client coordinates of a point on the screen.
  POINT ScreenToClient(POINT p);

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

 protected:
  virtual void Paint() {}
  std::unique_ptr<platform::ui::ControlPeer> MakePeer(platform::ui::Backend& b,
                                                      platform::ui::ControlPeer* parent) override {
    return b.CreateCustom(parent, this);
  }
  void SyncPeer() override;
  void PeerPaint(HDC dc) override;

 private:
  TCanvas canvas_;
};
