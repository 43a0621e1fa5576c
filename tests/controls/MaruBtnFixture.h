// Round buttons on a form that stands at (100, 50) on the screen, with a backend whose peers
// only count repaints, a pointer that stays where a test puts it, and a log of the events
// the buttons fire.
#pragma once

#include <string>
#include <vector>

#include "controls/MaruBtn.h"
#include "framework/Form.h"
#include "platform/gdi/Gdi.h"
#include "tests/support/FakeBackend.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/RecordingCanvas.h"

class MaruBtnTest : public PlatformTest {
 protected:
  static constexpr int kFormLeft = 100;
  static constexpr int kFormTop = 50;

  MaruBtnTest() {
    previous_ = platform::ui::SetBackend(&backend);
    form = new TForm(owner.get());
    form->SetBounds(kFormLeft, kFormTop, 320, 200);
    SetCursorPosSource([this] { return cursor; });
  }
  void TearDown() override {
    SetCursorPosSource(nullptr);
    // The form and its peers go before the backend that made them.
    PlatformTest::TearDown();
    platform::ui::SetBackend(previous_);
  }

  // A 66 × 30 button captioned "再生" at (left, top) of its parent, the form unless given.
  TMaruBtn* Button(int left = 20, int top = 10, TWinControl* parent = nullptr) {
    auto* b = new TMaruBtn(form);
    b->SetBounds(left, top, 66, 30);
    b->SetCaption("再生");
    b->SetParent(parent != nullptr ? parent : form);
    return b;
  }

  static FakePeer& Peer(TControl* c) { return FakePeerOf(c->Peer()); }

  // Puts the pointer over the point (x, y) of the button's client area, counting every
  // parent's place by hand (the form has no frame here).
  void PointAt(TControl* c, int x, int y) {
    cursor = POINT{x + c->Left(), y + c->Top()};
    for (TWinControl* w = c->Parent(); w != nullptr; w = w->Parent()) {
      cursor.x += w->Left();
      cursor.y += w->Top();
    }
  }

  // Writes each event the button fires into the log, as "<name>click", "<name>down L 33,15",
  // "<name>down L 33,15 dbl", "<name>move 30,14", "<name>up R 33,15", "<name>dblclick".
  void Watch(TMaruBtn* b, const std::string& name = "") {
    auto button = [](TMouseButton m) { return m == mbLeft ? "L" : m == mbRight ? "R" : "M"; };
    auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    b->OnClick = [this, name](TObject*) { log.push_back(name + "click"); };
    b->OnDblClick = [this, name](TObject*) { log.push_back(name + "dblclick"); };
    b->OnMouseDown = [=, this](TObject*, TMouseButton m, TShiftState s, int x, int y) {
      log.push_back(name + "down " + button(m) + " " + at(x, y) + (s.doubleClick ? " dbl" : ""));
    };
    b->OnMouseUp = [=, this](TObject*, TMouseButton m, TShiftState, int x, int y) {
      log.push_back(name + "up " + button(m) + " " + at(x, y));
    };
    b->OnMouseMove = [=, this](TObject*, TShiftState, int x, int y) { log.push_back(name + "move " + at(x, y)); };
  }

  // A press and release of the left button at the button's centre, the pointer there.
  void ClickOn(TMaruBtn* b) {
    PointAt(b, 33, 15);
    b->MouseDown(mbLeft, {}, 33, 15);
    b->MouseUp(mbLeft, {}, 33, 15);
  }

  static RecordingCanvas PaintOf(TMaruBtn* b) {
    RecordingCanvas canvas;
    RecordingDc dc(canvas);
    b->PaintTo(dc);
    return canvas;
  }

  FakeBackend backend;
  TForm* form = nullptr;
  POINT cursor{0, 0};
  std::vector<std::string> log;

 private:
  platform::ui::Backend* previous_ = nullptr;
};
