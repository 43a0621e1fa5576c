// The event loop on the system's message queue: timers repeat until removed, one-shot
// timers run once, posted work runs in order, and an exception a handler lets escape goes
// to the installed report instead of ending the loop.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/Win32EventLoop.h"

using platform::win32::Win32EventLoop;

namespace {

TEST(Win32EventLoop, RepeatingTimersRunUntilRemovedAndOneShotsOnce) {
  Win32EventLoop loop;
  int repeats = 0, once = 0;
  Win32EventLoop::TimerId repeating = 0;
  repeating = loop.AddTimer(10, true, [&] {
    if (++repeats == 3) {
      loop.RemoveTimer(repeating);
      // Given time to run again: a removed timer must not.
      loop.AddTimer(60, false, [&] { loop.Quit(repeats); });
    }
  });
  loop.AddTimer(10, false, [&] { ++once; });
  EXPECT_EQ(loop.Run(), 3);
  EXPECT_EQ(repeats, 3);
  EXPECT_EQ(once, 1);
}

TEST(Win32EventLoop, PostedWorkRunsInOrderAndWorkPostedMeanwhileAfterIt) {
  Win32EventLoop loop;
  std::vector<std::string> order;
  loop.Post([&] {
    order.push_back("a");
    loop.Post([&] {
      order.push_back("c");
      loop.Quit(0);
    });
  });
  loop.Post([&] { order.push_back("b"); });
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Win32EventLoop, AnEscapingExceptionGoesToTheReportAndTheLoopGoesOn) {
  Win32EventLoop loop;
  std::vector<std::string> reported;
  platform::SetExceptionHandler([&](std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      reported.push_back(x.what());
    }
  });
  loop.Post([] { throw std::runtime_error("index out of range"); });
  loop.Post([&] { loop.Quit(5); });
  EXPECT_EQ(loop.Run(), 5);
  platform::SetExceptionHandler(nullptr);
  EXPECT_EQ(reported, std::vector<std::string>{"index out of range"});
}

}  // namespace
