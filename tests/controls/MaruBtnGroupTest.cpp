// Round buttons latched down in groups: one member down at a time, the shared AllowAllUp,
// refused assignments of Down, and the repaints each change schedules.
#include <algorithm>

#include "framework/Panel.h"
#include "tests/controls/MaruBtnFixture.h"

namespace {

// A, B and C form group 1 on the form; D is in group 1 on a panel and E in group 2 on the
// form, so neither belongs to the others' group.
class MaruBtnGroupTest : public MaruBtnTest {
 protected:
  MaruBtnGroupTest() {
    auto* panel = new TPanel(form);
    panel->SetBounds(0, 100, 300, 60);
    panel->SetParent(form);
    a = Button(0, 10);
    b = Button(70, 10);
    c = Button(140, 10);
    d = Button(0, 0, panel);
    e = Button(210, 10);
    for (TMaruBtn* m : {a, b, c, d}) m->SetGroupIndex(1);
    e->SetGroupIndex(2);
    Watch(b, "B ");
  }
  // Each button's Down, as "ABCDE" with lower case for the ones up.
  std::string Downs() const {
    std::string s;
    for (TMaruBtn* m : {a, b, c, d, e}) s += static_cast<char>(m->Down() ? 'A' + s.size() : 'a' + s.size());
    return s;
  }
  void ResetCounts() {
    for (TMaruBtn* m : {a, b, c, d, e}) Peer(m).ResetCounts();
  }
  TMaruBtn *a, *b, *c, *d, *e;
};

TEST_F(MaruBtnGroupTest, ClickingAMemberTakesTheDownPlaceFromTheOther) {
  a->SetDown(true);
  d->SetDown(true);
  e->SetDown(true);
  EXPECT_EQ(Downs(), "AbcDE");
  ResetCounts();

  ClickOn(b);
  EXPECT_EQ(Downs(), "aBcDE");
  EXPECT_EQ(b->State(), msLatched);
  EXPECT_EQ(a->State(), msUp);
  EXPECT_EQ(log, (std::vector<std::string>{"B down L 33,15", "B up L 33,15", "B click"}));
  EXPECT_EQ(Peer(b).repaints, 1) << "the pressed look, at once";
  EXPECT_EQ(Peer(b).invalidates, 1) << "the latched look, scheduled";
  EXPECT_EQ(Peer(a).invalidates, 1);
  EXPECT_EQ(Peer(a).repaints + Peer(c).invalidates + Peer(d).invalidates + Peer(e).invalidates, 0);

  // Without AllowAllUp the down member stays down, latched, and still clicks.
  log.clear();
  ResetCounts();
  ClickOn(b);
  EXPECT_EQ(Downs(), "aBcDE");
  EXPECT_EQ(b->State(), msLatched);
  EXPECT_EQ(log, (std::vector<std::string>{"B down L 33,15", "B up L 33,15", "B click"}));
  EXPECT_EQ(Peer(b).repaints + Peer(b).invalidates, 0);
}

TEST_F(MaruBtnGroupTest, AllowAllUpIsSharedByTheGroupAndLetsTheDownMemberGoUp) {
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  EXPECT_TRUE(c->AllowAllUp());
  EXPECT_FALSE(d->AllowAllUp());
  EXPECT_FALSE(e->AllowAllUp());

  b->SetDown(true);
  ResetCounts();
  ClickOn(b);
  EXPECT_EQ(Downs(), "abcde");
  EXPECT_EQ(b->State(), msUp);
  EXPECT_EQ(log.back(), "B click");
  EXPECT_EQ(Peer(b).invalidates, 1);

  c->SetDown(true);
  c->SetDown(false);
  EXPECT_EQ(Downs(), "abcde");
  EXPECT_EQ(c->State(), msUp);

  a->SetAllowAllUp(false);
  EXPECT_FALSE(b->AllowAllUp());
  EXPECT_FALSE(c->AllowAllUp());
}

TEST_F(MaruBtnGroupTest, RefusedAssignmentsOfDownChangeNothing) {
  TMaruBtn* loose = Button(0, 50);
  loose->SetDown(true);
  a->SetDown(true);
  ResetCounts();
  Peer(loose).ResetCounts();
  a->SetDown(false);
  loose->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), msLatched);
  EXPECT_FALSE(loose->Down());
  EXPECT_EQ(loose->State(), msUp);
  EXPECT_EQ(Peer(a).invalidates + Peer(loose).invalidates, 0);
}

TEST_F(MaruBtnGroupTest, JoiningAGroupWhileDownReleasesItsDownMember) {
  a->SetDown(true);
  e->SetDown(true);
  e->SetGroupIndex(1);
  EXPECT_EQ(Downs(), "abcdE");
  EXPECT_EQ(a->State(), msUp);

  // Leaving every group keeps Down, and so does the equal write.
  e->SetGroupIndex(0);
  e->SetGroupIndex(0);
  EXPECT_TRUE(e->Down());
}

TEST_F(MaruBtnGroupTest, ReleaseOutsideRestoresTheLookItHadWithoutClicking) {
  a->SetDown(true);
  for (TMaruBtn* m : {a, b}) {
    SCOPED_TRACE(m == a ? "down member" : "up member");
    const TMaruBtnState before = m->State();
    ResetCounts();
    PointAt(m, 33, 15);
    m->MouseDown(mbLeft, {}, 33, 15);
    m->MouseMove({}, 80, 15);
    EXPECT_EQ(m->State(), before) << "a down member keeps its latched look";
    m->MouseUp(mbLeft, {}, 80, 15);
    EXPECT_EQ(m->State(), before);
    EXPECT_FALSE(m->Tracking());
    EXPECT_EQ(Peer(m).invalidates, 0);
    EXPECT_GE(Peer(m).repaints, 1) << "the release outside repaints at once";
  }
  EXPECT_EQ(Downs(), "Abcde");
  EXPECT_EQ(std::count(log.begin(), log.end(), "B click"), 0);
}

}  // namespace
