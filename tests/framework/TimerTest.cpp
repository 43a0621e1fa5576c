#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/PlatformFixture.h"

namespace {

class TimerTest : public PlatformTest {
 protected:
  // A timer that records the virtual time of each OnTimer call.
  TTimer* Make(unsigned interval) {
    auto* t = new TTimer(owner.get());
    t->SetInterval(interval);
    t->SetOnTimer([this](TObject*) { ticks.push_back(loop.Now()); });
    return t;
  }

  std::vector<std::uint64_t> ticks;
};

TEST_F(TimerTest, FiresEveryIntervalWhileEnabled) {
  auto* t = Make(200);
  EXPECT_TRUE(t->Enabled());
  loop.Advance(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{200, 400, 600, 800, 1000}));
}

TEST_F(TimerTest, DisabledTimerDoesNotFire) {
  auto* t = Make(200);
  t->SetEnabled(false);
  loop.Advance(1000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(TimerTest, TimerWithoutHandlerOrIntervalDoesNotRun) {
  auto* t = new TTimer(owner.get());
  t->SetInterval(200);
  EXPECT_EQ(loop.ActiveTimers(), 0u);

  t = Make(200);
  t->SetOnTimer(nullptr);
  loop.Advance(1000);
  EXPECT_EQ(loop.ActiveTimers(), 0u);

  t = Make(200);
  t->SetInterval(0);
  loop.Advance(1000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(TimerTest, ReenablingStartsAFullInterval) {
  auto* t = Make(200);
  loop.Advance(150);
  t->SetEnabled(false);
  loop.Advance(100);
  t->SetEnabled(true);  // at 250: the next call is due at 450, not at 400
  loop.Advance(400);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{450, 650}));
}

TEST_F(TimerTest, NewIntervalTakesEffectAtOnce) {
  auto* t = Make(200);
  loop.Advance(200);
  t->SetInterval(50);
  loop.Advance(150);
  t->SetInterval(1000);
  loop.Advance(999);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{200, 250, 300, 350}));
  loop.Advance(1);
  EXPECT_EQ(ticks.back(), 1350u);
}

TEST_F(TimerTest, FreedTimerNeverCallsItsHandler) {
  auto* t = Make(200);
  loop.Advance(200);
  delete t;
  loop.Advance(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{200}));
  EXPECT_EQ(loop.ActiveTimers(), 0u);
  EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(TimerTest, TimerFreedWithItsOwnerStops) {
  auto* form = new TComponent(owner.get());
  auto* t = new TTimer(form);
  t->SetInterval(100);
  int calls = 0;
  t->SetOnTimer([&](TObject*) { ++calls; });
  loop.Advance(100);
  delete form;
  loop.Advance(1000);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(TimerTest, HandlerMayDisableItsOwnTimer) {
  auto* t = new TTimer(owner.get());
  t->SetInterval(100);
  int calls = 0;
  t->SetOnTimer([&](TObject*) {
    ++calls;
    t->SetEnabled(false);
  });
  loop.Advance(1000);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(t->Enabled());
  t->SetEnabled(true);
  loop.Advance(100);
  EXPECT_EQ(calls, 2);
}

TEST_F(TimerTest, HandlerMayFreeItsOwnTimer) {
  auto* t = new TTimer(owner.get());
  t->SetInterval(100);
  int calls = 0;
  // The sender is the timer itself, so this frees it while its own message is served.
  t->SetOnTimer([&](TObject* sender) {
    ++calls;
    delete sender;
  });
  loop.Advance(1000);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(owner->ComponentCount(), 0);
}

}  // namespace
