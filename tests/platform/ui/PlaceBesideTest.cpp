// Where a second window opens beside the program's window.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ui/Windows.h"

namespace {

using Edges = std::vector<long>;

std::optional<Edges> Place(const RECT& owner, const std::vector<RECT>& screens, LONG w = 568, LONG h = 650) {
  const auto r = PlaceBeside(owner, w, h, 368, 310, screens);
  if (!r) return std::nullopt;
  return Edges{r->left, r->top, r->right, r->bottom};
}

bool Overlap(const RECT& a, const Edges& b) {
  return a.left < b[2] && b[0] < a.right && a.top < b[3] && b[1] < a.bottom;
}

TEST(PlaceBesideTest, TheFirstSideWithRoomWinsAndTheOwnerIsNeverCovered) {
  const std::vector<RECT> fullHd{{0, 0, 1920, 1080}};
  struct Case {
    const char* what;
    RECT owner;
    std::vector<RECT> screens;
    std::optional<Edges> expected;
  };
  const Case cases[] = {
      {"right of the deck, tops aligned", {208, 120, 692, 300}, fullHd, Edges{692, 120, 1260, 770}},
      {"right, moved up to stay on the screen", {208, 700, 692, 880}, fullHd, Edges{692, 430, 1260, 1080}},
      {"left when the right is full", {1400, 120, 1884, 300}, fullHd, Edges{832, 120, 1400, 770}},
      {"below, shrunk, on a small screen", {208, 120, 692, 300}, {{0, 0, 1024, 768}}, Edges{208, 300, 776, 768}},
      {"above, shrunk, when the deck is low", {208, 420, 692, 600}, {{0, 0, 1024, 768}}, Edges{208, 0, 776, 420}},
      {"the screen holding the deck's middle",
       {2100, 120, 2584, 300},
       {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}},
       Edges{2584, 120, 3152, 770}},
      {"no room anywhere", {100, 100, 924, 668}, {{0, 0, 1024, 768}}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto got = Place(c.owner, c.screens);
    EXPECT_EQ(got, c.expected);
    if (got) {
      EXPECT_FALSE(Overlap(c.owner, *got));
    }
  }
}

TEST(PlaceBesideTest, OddOwnersAndSizesGiveAPlaceOnTheScreenOrNone) {
  const std::vector<RECT> screen{{0, 0, 1024, 768}};
  // An owner off the screen leaves the whole screen as room on its side.
  EXPECT_EQ(Place({-3000, 100, -2500, 300}, screen), (Edges{0, 100, 568, 750}));
  // Extreme edges are taken without overflow.
  EXPECT_EQ(Place({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, screen), std::nullopt);
  EXPECT_EQ(Place({0, 0, 10, 10}, {}), std::nullopt);
  EXPECT_EQ(Place({0, 0, 10, 10}, screen, 0, 100), std::nullopt);
  // A window larger than the screen is made to fit it.
  EXPECT_EQ(Place({0, 0, 10, 10}, screen, 5000, 5000), (Edges{10, 0, 1024, 768}));
}

}  // namespace
