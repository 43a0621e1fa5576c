// How a round button answers the mouse and the keyboard: the ellipse as the only live
// area, the pressed look while a press is followed, clicks and double clicks, and the
// accelerator of its caption.
#include <functional>

#include "framework/Panel.h"
#include "tests/controls/MaruBtnFixture.h"

namespace {

using MaruBtnInputTest = MaruBtnTest;
using platform::ui::MouseButton;

TEST_F(MaruBtnInputTest, OnlyPointsInsideTheEllipseHit) {
  TMaruBtn* b = Button();
  const struct {
    int x, y;
    bool inside;
  } points[] = {{33, 15, true}, {65, 15, true}, {66, 15, false}, {0, 15, true}, {-1, 15, false},
                {33, 0, true},  {33, 29, true}, {33, 30, false}, {0, 0, false}, {65, 29, false},
                {65, 0, false}, {0, 29, false}, {5, 3, false},   {10, 5, true}};
  for (const auto& p : points) EXPECT_EQ(b->PtInButton(p.x, p.y), p.inside) << p.x << "," << p.y;
}

TEST_F(MaruBtnInputTest, PressInACornerIsIgnoredAndItsReleaseDoesNotClick) {
  TMaruBtn* b = Button();
  Watch(b);
  PointAt(b, 33, 15);
  b->MouseDown(mbLeft, {}, 1, 1);
  EXPECT_EQ(b->State(), msUp);
  EXPECT_FALSE(b->Tracking());
  EXPECT_EQ(Peer(b).repaints, 0);
  b->MouseUp(mbLeft, {}, 33, 15);
  EXPECT_EQ(log, (std::vector<std::string>{"up L 33,15"}));
}

TEST_F(MaruBtnInputTest, PressedLookFollowsThePointerAndAReleaseOutsideFiresNothing) {
  TMaruBtn* b = Button();
  Watch(b);
  PointAt(b, 33, 15);  // the pointer plays no part in a release outside
  const struct Step {
    const char* what;
    std::function<void()> act;
    TMaruBtnState state;
    int repaints;
    std::vector<std::string> log;
  } steps[] = {
      {"press inside", [&] { b->MouseDown(mbLeft, {}, 33, 15); }, msPressed, 1, {"down L 33,15"}},
      {"into a corner", [&] { b->MouseMove({}, 2, 2); }, msUp, 2, {}},
      {"off the button", [&] { b->MouseMove({}, 70, 15); }, msUp, 2, {}},
      {"back in", [&] { b->MouseMove({}, 30, 14); }, msPressed, 3, {"move 30,14"}},
      {"within", [&] { b->MouseMove({}, 31, 14); }, msPressed, 3, {"move 31,14"}},
      {"out again", [&] { b->MouseMove({}, 1, 28); }, msUp, 4, {}},
      {"release outside", [&] { b->MouseUp(mbLeft, {}, 1, 28); }, msUp, 5, {}},
      {"move after release", [&] { b->MouseMove({}, 33, 15); }, msUp, 5, {"move 33,15"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    log.clear();
    s.act();
    EXPECT_EQ(b->State(), s.state);
    EXPECT_EQ(Peer(b).repaints, s.repaints) << "mouse feedback repaints at once";
    EXPECT_EQ(Peer(b).invalidates, 0);
    EXPECT_EQ(log, s.log);
  }
  EXPECT_FALSE(b->Tracking());
}

TEST_F(MaruBtnInputTest, ReleasingAnyButtonEndsThePressWithAClick) {
  TMaruBtn* b = Button();
  Watch(b);
  PointAt(b, 33, 15);
  b->MouseDown(mbLeft, {}, 33, 15);
  b->MouseDown(mbRight, {}, 34, 15);
  EXPECT_EQ(b->State(), msPressed);
  b->MouseUp(mbRight, {}, 34, 15);
  EXPECT_EQ(b->State(), msUp);
  EXPECT_FALSE(b->Tracking());
  b->MouseUp(mbLeft, {}, 33, 15);
  EXPECT_EQ(log, (std::vector<std::string>{"down L 33,15", "down R 34,15", "up R 34,15", "click", "up L 33,15"}));
}

TEST_F(MaruBtnInputTest, DoubleClickOnAnUngroupedButtonIsTwoClicks) {
  const std::vector<std::string> expected = {"down L 33,15",     "up L 33,15", "click",
                                             "down L 33,15 dbl", "up L 33,15", "click"};
  TMaruBtn* b = Button();
  Watch(b);
  PointAt(b, 33, 15);
  b->MouseDown(mbLeft, {}, 33, 15);
  b->MouseUp(mbLeft, {}, 33, 15);
  b->LButtonDblClk({}, 33, 15);
  b->MouseUp(mbLeft, {}, 33, 15);
  EXPECT_EQ(log, expected);

  // The same as the native side reports it: the double click first, then its press.
  log.clear();
  platform::ui::PeerHandler& peer = *b;
  peer.PeerMouseDown(MouseButton::Left, {}, 33, 15);
  peer.PeerMouseUp(MouseButton::Left, {}, 33, 15);
  peer.PeerDblClick(33, 15);
  peer.PeerMouseDown(MouseButton::Left, {}, 33, 15);
  peer.PeerMouseUp(MouseButton::Left, {}, 33, 15);
  EXPECT_EQ(log, expected);
}

TEST_F(MaruBtnInputTest, DoubleClickFiresOnDblClickOnlyForADownButtonEvenOutsideItsEllipse) {
  TMaruBtn* b = Button();
  b->SetGroupIndex(1);
  Watch(b);
  b->LButtonDblClk({}, 1, 1);
  EXPECT_TRUE(log.empty());
  b->SetDown(true);
  b->LButtonDblClk({}, 1, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"dblclick"}));
  EXPECT_FALSE(b->Tracking());

  log.clear();
  PointAt(b, 33, 15);
  b->LButtonDblClk({}, 33, 15);
  b->MouseUp(mbLeft, {}, 33, 15);
  EXPECT_EQ(log, (std::vector<std::string>{"down L 33,15 dbl", "dblclick", "up L 33,15", "click"}));
  EXPECT_TRUE(b->Down());
}

TEST_F(MaruBtnInputTest, DisabledButtonNeitherShowsNorFollowsAPress) {
  TMaruBtn* b = Button();
  Watch(b);
  PointAt(b, 33, 15);
  b->SetEnabled(false);
  b->MouseDown(mbLeft, {}, 33, 15);
  EXPECT_NE(b->State(), msPressed);
  EXPECT_FALSE(b->Tracking());
  EXPECT_EQ(Peer(b).repaints, 0);
  b->MouseUp(mbLeft, {}, 33, 15);
  EXPECT_EQ(log, (std::vector<std::string>{"down L 33,15", "up L 33,15"}));

  // Disabled during a press: the next paint drops the press.
  b->SetEnabled(true);
  b->MouseDown(mbLeft, {}, 33, 15);
  ASSERT_TRUE(b->Tracking());
  b->SetEnabled(false);
  PaintOf(b);
  EXPECT_EQ(b->State(), msDisabled);
  EXPECT_FALSE(b->Tracking());
}

TEST_F(MaruBtnInputTest, MouseClickNeedsThePointerOverTheEllipse) {
  auto* panel = new TPanel(form);
  panel->SetBounds(40, 30, 200, 100);
  panel->SetParent(form);
  TMaruBtn* onForm = Button(20, 10);
  TMaruBtn* onPanel = Button(5, 5, panel);
  const struct {
    TMaruBtn* button;
    POINT screen;
    bool clicks;
  } cases[] = {
      {onForm, {153, 75}, true},    // client (33, 15)
      {onForm, {185, 75}, true},    // (65, 15)
      {onForm, {186, 75}, false},   // (66, 15)
      {onForm, {121, 61}, false},   // (1, 1), a corner
      {onForm, {33, 15}, false},    // client coordinates taken for the screen's
      {onPanel, {178, 100}, true},  // through the panel: (33, 15)
      {onPanel, {153, 75}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen.x) + "," + std::to_string(c.screen.y));
    int clicks = 0;
    c.button->OnClick = [&](TObject*) { ++clicks; };
    cursor = c.screen;
    c.button->Click();
    EXPECT_EQ(clicks, c.clicks ? 1 : 0);
  }

  // A release inside clicks only if the pointer is still over the ellipse.
  Watch(onForm);
  PointAt(onForm, 1, 1);
  onForm->MouseDown(mbLeft, {}, 33, 15);
  onForm->MouseUp(mbLeft, {}, 33, 15);
  EXPECT_EQ(log, (std::vector<std::string>{"down L 33,15", "up L 33,15"}));
}

TEST_F(MaruBtnInputTest, AcceleratorClicksWhereverThePointerIs) {
  const struct {
    const char* caption;
    char32_t ch;
    bool enabled;
    bool taken;
  } cases[] = {
      {"&Play", U'p', true, true},  {"&Play", U'P', true, true},   {"P&lay", U'L', true, true},
      {"&Play", U'l', true, false}, {"Play", U'p', true, false},   {"Play&", U'&', true, false},
      {"&再生", U'再', true, true}, {"&Play", U'p', false, false}, {"&éte", U'É', true, true},
  };
  TMaruBtn* b = Button();
  Watch(b);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(c.ch));
    log.clear();
    b->SetCaption(c.caption);
    b->SetEnabled(c.enabled);
    cursor = POINT{0, 0};  // far from the button
    EXPECT_EQ(b->DialogChar(c.ch), c.taken);
    EXPECT_EQ(log, c.taken ? std::vector<std::string>{"click"} : std::vector<std::string>{});
  }

  // Typed on the form, which offers it to its controls.
  log.clear();
  b->SetCaption("&Play");
  b->SetEnabled(true);
  EXPECT_TRUE(form->CharPress(U'p', true));
  EXPECT_EQ(log, (std::vector<std::string>{"click"}));
}

}  // namespace
