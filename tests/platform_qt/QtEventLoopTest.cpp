#include <gtest/gtest.h>

#include <QTimer>
#include <vector>

#include "platform/qt/QtEventLoop.h"

using platform::qt::QtEventLoop;

namespace {

// Runs the loop until the test's work calls Quit, or gives up after a second so that a
// missing event fails the test instead of hanging it.
int RunWithLimit(QtEventLoop& loop) {
  QTimer::singleShot(1000, [&loop] { loop.Quit(-1); });
  return loop.Run();
}

}  // namespace

TEST(QtEventLoopTest, TimersRepeatOrFireOnceAndMayRemoveThemselves) {
  QtEventLoop loop;
  const auto start = loop.Now();
  int repeats = 0, once = 0;
  platform::EventLoop::TimerId repeating = 0;
  repeating = loop.AddTimer(5, true, [&] {
    // Removing the timer from its own callback stops it cleanly.
    if (++repeats == 3) loop.RemoveTimer(repeating);
  });
  loop.AddTimer(10, false, [&] { ++once; });
  loop.AddTimer(60, false, [&] { loop.Quit(7); });
  EXPECT_EQ(RunWithLimit(loop), 7);
  EXPECT_EQ(repeats, 3);
  EXPECT_EQ(once, 1);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
  EXPECT_GE(loop.Now(), start + 60);
}

TEST(QtEventLoopTest, RemovedTimersNeverFireAndIdsAreNotReused) {
  QtEventLoop loop;
  bool fired = false;
  const auto a = loop.AddTimer(5, false, [&] { fired = true; });
  loop.RemoveTimer(a);
  loop.RemoveTimer(a);  // twice is harmless
  const auto b = loop.AddTimer(5, false, [] {});
  EXPECT_GT(b, a);
  loop.AddTimer(30, false, [&] { loop.Quit(0); });
  RunWithLimit(loop);
  EXPECT_FALSE(fired);
}

TEST(QtEventLoopTest, PostedWorkRunsInOrderAfterTheWorkInProgress) {
  QtEventLoop loop;
  std::vector<int> order;
  loop.Post([&] {
    order.push_back(1);
    // Work posted from posted work runs after what was already queued.
    loop.Post([&] {
      order.push_back(4);
      loop.Quit(3);
    });
  });
  loop.Post([&] { order.push_back(2); });
  loop.Post([&] { order.push_back(3); });
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(RunWithLimit(loop), 3);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

TEST(QtEventLoopTest, QuitBeforeRunEndsTheRunAtOnce) {
  QtEventLoop loop;
  bool ran = false;
  loop.Post([&] { ran = true; });
  loop.Quit(5);
  EXPECT_EQ(loop.Run(), 5);
  EXPECT_FALSE(ran);
  // The early quit is used up: the next run waits for its own.
  loop.AddTimer(5, false, [&] { loop.Quit(6); });
  EXPECT_EQ(RunWithLimit(loop), 6);
  EXPECT_TRUE(ran);
}
