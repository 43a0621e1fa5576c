// Placements of a form through the platform's placement calls: the outer rectangle under a
// window manager whose frame becomes known only once the window is shown, and rectangles
// that a damaged settings file makes.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "platform/ui/Peers.h"
#include "platform/ui/Windows.h"
#include "tests/support/FakeBackend.h"
#include "tests/support/PlatformFixture.h"

namespace {

using Edges = std::vector<long>;

class FormPlacementTest : public PlatformTest {
 protected:
  FormPlacementTest() { previous_ = platform::ui::SetBackend(&backend); }
  void TearDown() override {
    PlatformTest::TearDown();
    platform::ui::SetBackend(previous_);
  }

  // A window made as the deck's description makes it: a fixed frame, a designed place and
  // a designed client area of 482 × 159.
  TForm* MakeDeck() {
    auto* f = new TForm(owner.get());
    f->SetBorderStyle(bsSingle);
    f->SetBounds(208, 120, 100, 100);
    f->SetClientHeight(159);
    f->SetClientWidth(482);
    return f;
  }

  static FakePeer& PeerOfForm(TForm* f) { return FakePeerOf(platform::ui::PeerOf(f->Handle())); }

  static Edges Placement(TForm* f) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    EXPECT_TRUE(GetWindowPlacement(f->Handle(), &wp));
    const RECT& r = wp.rcNormalPosition;
    return {static_cast<long>(wp.showCmd), r.left, r.top, r.right, r.bottom};
  }

  static void Apply(TForm* f, const Edges& e) {
    WINDOWPLACEMENT wp{
        sizeof(WINDOWPLACEMENT),
        0,
        static_cast<UINT>(e[0]),
        {-1, -1},
        {-1, -1},
        RECT{static_cast<LONG>(e[1]), static_cast<LONG>(e[2]), static_cast<LONG>(e[3]), static_cast<LONG>(e[4])}};
    ASSERT_TRUE(SetWindowPlacement(f->Handle(), &wp));
  }

  // What a window manager does once the window is mapped: it puts its frame around the
  // client area the program asked for and reports the framed window where the frame stands.
  static void Frame(TForm* f, int left, int top, int right, int bottom) {
    FakePeer& peer = PeerOfForm(f);
    peer.frame[0] = left;
    peer.frame[1] = top;
    peer.frame[2] = right;
    peer.frame[3] = bottom;
    static_cast<platform::ui::PeerHandler*>(f)->PeerMoved(f->Left(), f->Top(), peer.clientWidth + left + right,
                                                          peer.clientHeight + top + bottom);
  }

  FakeBackend backend;
  platform::ui::Backend* previous_ = nullptr;
};

TEST_F(FormPlacementTest, StartAndCloseAreAFixedPointWithAndWithoutAWindowManager) {
  struct Desktop {
    const char* name;
    int frame[4];
  };
  for (const Desktop d : {Desktop{"window manager", {1, 20, 1, 1}}, Desktop{"thick frame", {4, 24, 4, 4}},
                          Desktop{"no window manager", {0, 0, 0, 0}}}) {
    SCOPED_TRACE(d.name);
    Edges stored;  // nothing stored before the first start
    for (int cycle = 1; cycle <= 10; ++cycle) {
      SCOPED_TRACE("cycle " + std::to_string(cycle));
      TForm* deck = MakeDeck();
      // Start: the stored rectangle over the window's own placement, then shown and framed.
      Apply(deck, stored.empty() ? Placement(deck) : stored);
      Frame(deck, d.frame[0], d.frame[1], d.frame[2], d.frame[3]);
      EXPECT_EQ(PeerOfForm(deck).clientWidth, 482);
      EXPECT_EQ(PeerOfForm(deck).clientHeight, 159);
      EXPECT_EQ(deck->ClientWidth(), 482);
      EXPECT_EQ(deck->ClientHeight(), 159);
      // Close: the outer rectangle is stored.
      const Edges now = Placement(deck);
      EXPECT_EQ(now, (Edges{SW_SHOWNORMAL, 208, 120, 208 + d.frame[0] + 482 + d.frame[2],
                            120 + d.frame[1] + 159 + d.frame[3]}));
      stored = now;
      delete deck;
    }
  }
}

TEST_F(FormPlacementTest, AnOuterRectangleAppliedBeforeTheFrameIsKnownKeepsItsOuterSize) {
  // A resizable window placed by a stored rectangle: the frame takes its room from the
  // client area, and the rectangle read back is the one applied.
  auto* f = new TForm(owner.get());
  f->SetClientWidth(300);
  f->SetClientHeight(200);
  Apply(f, {SW_SHOWNORMAL, 50, 60, 650, 460});
  Frame(f, 2, 22, 2, 2);
  EXPECT_EQ(PeerOfForm(f).clientWidth, 596);
  EXPECT_EQ(PeerOfForm(f).clientHeight, 376);
  EXPECT_EQ(Placement(f), (Edges{SW_SHOWNORMAL, 50, 60, 650, 460}));
  // A move by the user afterwards is taken as reported.
  static_cast<platform::ui::PeerHandler*>(f)->PeerMoved(70, 80, 600, 400);
  EXPECT_EQ(Placement(f), (Edges{SW_SHOWNORMAL, 70, 80, 670, 480}));
  EXPECT_EQ(f->ClientWidth(), 596);

  // A window sized only by its description keeps its client area; the frame adds to it.
  auto* g = new TForm(owner.get());
  g->SetBounds(214, 324, 10, 10);
  g->SetClientWidth(188);
  g->SetClientHeight(176);
  g->Show();
  Frame(g, 4, 23, 4, 4);
  EXPECT_EQ(g->ClientWidth(), 188);
  EXPECT_EQ(g->ClientHeight(), 176);
  EXPECT_EQ(Placement(g), (Edges{SW_SHOWNORMAL, 214, 324, 214 + 196, 324 + 203}));
}

TEST_F(FormPlacementTest, ShowStatesSurviveTheFrameBecomingKnown) {
  // A maximised or minimised window is not resized when its frame becomes known: that
  // would take it out of its state.
  for (const UINT show : {static_cast<UINT>(SW_SHOWMAXIMIZED), static_cast<UINT>(SW_SHOWMINIMIZED)}) {
    TForm* deck = MakeDeck();
    Apply(deck, {static_cast<long>(show), 208, 120, 692, 300});
    Frame(deck, 1, 20, 1, 1);
    EXPECT_EQ(deck->WindowState(), show == SW_SHOWMAXIMIZED ? wsMaximized : wsMinimized);
    EXPECT_EQ(Placement(deck)[0], static_cast<long>(show));
    EXPECT_EQ(PeerOfForm(deck).clientWidth, 484);
    EXPECT_EQ(PeerOfForm(deck).clientHeight, 180);
    delete deck;
  }
}

TEST_F(FormPlacementTest, ADamagedRectangleGivesTheWindowItsOwnSizeOnTheScreen) {
  // The fake backend's one screen is 1024 × 768; the deck is 482 × 159 without a frame.
  constexpr long kMax = INT_MAX, kMin = INT_MIN;
  struct Case {
    const char* what;
    Edges stored, applied;  // left, top, right, bottom
  };
  const Case cases[] = {
      {"left edge at the largest value", {kMax, 120, 690, 279}, {1024 - 482, 120, 1024, 279}},
      {"right edge at the smallest value", {208, 120, kMin, 279}, {208, 120, 690, 279}},
      {"inverted", {100, 100, 50, 50}, {100, 100, 582, 259}},
      {"empty", {100, 100, 100, 100}, {100, 100, 582, 259}},
      {"no height", {300, 200, 900, 200}, {300, 200, 782, 359}},
      {"every edge at the far ends", {kMin, kMin, kMax, kMax}, {0, 0, 482, 159}},
      {"every edge at the far ends, reversed", {kMax, kMax, kMin, kMin}, {1024 - 482, 768 - 159, 1024, 768}},
      {"wider than any window", {0, 0, 40000, 300}, {0, 0, 482, 159}},
      {"far off to the left, of a fair size", {kMin, 120, kMin + 600, 279}, {0, 120, 600, 279}},
      {"far off below, of a fair size", {208, kMax - 200, 690, kMax}, {208, 768 - 200, 690, 768}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TForm* deck = MakeDeck();
    Apply(deck, {SW_SHOWNORMAL, c.stored[0], c.stored[1], c.stored[2], c.stored[3]});
    const Edges got = Placement(deck);
    EXPECT_EQ(got, (Edges{SW_SHOWNORMAL, c.applied[0], c.applied[1], c.applied[2], c.applied[3]}));
    EXPECT_TRUE(deck->Visible());
    EXPECT_GT(PeerOfForm(deck).clientWidth, 0);
    EXPECT_GT(PeerOfForm(deck).clientHeight, 0);
    // What a close then stores is applied as it stands: the file has repaired itself.
    Apply(deck, got);
    EXPECT_EQ(Placement(deck), got);
    delete deck;
  }
}

}  // namespace
