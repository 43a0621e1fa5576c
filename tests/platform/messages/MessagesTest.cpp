#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/messages/EventLoop.h"
#include "platform/messages/ManualEventLoop.h"
#include "platform/messages/Messages.h"

namespace {

class MessagesTest : public ::testing::Test {
 protected:
  MessagesTest() { platform::SetEventLoop(&loop); }
  ~MessagesTest() override {
    for (HWND w : windows) DestroyWindow(w);
    platform::SetEventLoop(nullptr);
  }

  // A hidden window that notes each message it gets as "name:msg:wParam@time".
  HWND Window(const std::string& name, std::function<void(HWND, UINT, WPARAM)> also = {}) {
    HWND w = CreateMessageWindow([this, name, also](HWND h, UINT msg, WPARAM wp, LPARAM) -> LRESULT {
      log.push_back(name + ":" + std::to_string(msg) + ":" + std::to_string(wp) + "@" + std::to_string(loop.Now()));
      if (also) also(h, msg, wp);
      return 0;
    });
    windows.push_back(w);
    return w;
  }
  void Note(const std::string& what) { log.push_back(what + "@" + std::to_string(loop.Now())); }

  platform::ManualEventLoop loop;
  std::vector<HWND> windows;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(MessagesTest, AdvanceRunsDueTimersInOrderAtTheirDueTimes) {
  loop.AddTimer(200, true, [this] { Note("a"); });
  loop.AddTimer(300, true, [this] { Note("b"); });
  loop.AddTimer(1001, false, [this] { Note("late"); });
  loop.Advance(1000);
  // At 600 both are due; the older timer goes first.
  EXPECT_EQ(log, (Log{"a@200", "b@300", "a@400", "a@600", "b@600", "a@800", "b@900", "a@1000"}));
  EXPECT_EQ(loop.Now(), 1000u);
  log.clear();
  loop.Advance(1);
  EXPECT_EQ(log, Log{"late@1001"});
}

TEST_F(MessagesTest, PostedWorkRunsInOrderBeforeLaterTimers) {
  loop.AddTimer(10, false, [this] {
    Note("timer1");
    loop.Post([this] { Note("posted by timer1"); });
  });
  loop.AddTimer(10, false, [this] { Note("timer2"); });
  loop.Post([this] {
    Note("first");
    loop.Post([this] { Note("posted by first"); });
  });
  loop.Post([this] { Note("second"); });
  loop.Advance(20);
  EXPECT_EQ(log, (Log{"first@0", "second@0", "posted by first@0", "timer1@10", "posted by timer1@10", "timer2@10"}));
  EXPECT_EQ(loop.PendingPosts(), 0u);
}

TEST_F(MessagesTest, PostedMessagesReachTheirWindowInOrder) {
  HWND a = Window("a"), b = Window("b");
  EXPECT_EQ(PostMessageA(a, WM_USER, 1, 0), TRUE);
  EXPECT_EQ(PostMessageA(b, WM_USER, 2, 0), TRUE);
  EXPECT_EQ(PostMessageA(a, WM_USER + 1, 3, 0), TRUE);
  EXPECT_TRUE(log.empty()) << "posting must not deliver at once";
  loop.RunPosted();
  EXPECT_EQ(log, (Log{"a:1024:1@0", "b:1024:2@0", "a:1025:3@0"}));
}

TEST_F(MessagesTest, MessagesForADestroyedWindowAreDropped) {
  HWND a = Window("a"), b = Window("b");
  PostMessageA(a, WM_USER, 1, 0);
  PostMessageA(b, WM_USER, 2, 0);
  EXPECT_EQ(DestroyWindow(a), TRUE);
  EXPECT_EQ(IsWindow(a), FALSE);
  EXPECT_EQ(DestroyWindow(a), FALSE);
  loop.RunPosted();
  EXPECT_EQ(log, Log{"b:1024:2@0"});
  EXPECT_EQ(PostMessageA(a, WM_USER, 3, 0), FALSE);
  // A new window never takes the handle of a gone one, so late messages cannot reach it.
  HWND c = Window("c");
  EXPECT_NE(c, a);
  EXPECT_NE(c, b);
}

TEST_F(MessagesTest, UnknownHandlesAreRefused) {
  HWND stranger = HandleFromValue(0xFFF0);
  EXPECT_EQ(PostMessageA(stranger, WM_USER, 0, 0), FALSE);
  EXPECT_EQ(PostMessageA(nullptr, WM_USER, 0, 0), FALSE);
  EXPECT_EQ(SetTimer(stranger, 1, 100, nullptr), 0u);
  EXPECT_EQ(KillTimer(stranger, 1), FALSE);
  EXPECT_EQ(IsWindow(stranger), FALSE);
  EXPECT_EQ(loop.PendingPosts(), 0u);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(MessagesTest, TimersSendWmTimerUntilKilled) {
  HWND a = Window("a");
  EXPECT_EQ(SetTimer(a, 7, 100, nullptr), 7u);
  EXPECT_EQ(SetTimer(a, 0, 100, nullptr), 0u) << "id 0 is no timer";
  loop.Advance(350);
  EXPECT_EQ(log, (Log{"a:275:7@100", "a:275:7@200", "a:275:7@300"}));
  EXPECT_EQ(KillTimer(a, 7), TRUE);
  EXPECT_EQ(KillTimer(a, 7), FALSE);
  EXPECT_EQ(KillTimer(a, 8), FALSE);
  loop.Advance(1000);
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(MessagesTest, SettingATimerAgainRestartsIt) {
  HWND a = Window("a");
  SetTimer(a, 1, 100, nullptr);
  loop.Advance(50);
  SetTimer(a, 1, 100, nullptr);
  loop.Advance(200);
  EXPECT_EQ(log, (Log{"a:275:1@150", "a:275:1@250"}));
  EXPECT_EQ(loop.ActiveTimers(), 1u);
}

TEST_F(MessagesTest, TimerThatKillsItselfFiresOnce) {
  HWND a = Window("a", [](HWND h, UINT msg, WPARAM id) {
    if (msg == WM_TIMER && id == 1) KillTimer(h, id);
  });
  SetTimer(a, 1, 100, nullptr);
  SetTimer(a, 2, 100, nullptr);
  loop.Advance(300);
  EXPECT_EQ(log, (Log{"a:275:1@100", "a:275:2@100", "a:275:2@200", "a:275:2@300"}));
}

TEST_F(MessagesTest, DestroyingAWindowKillsItsTimersEvenFromItsOwnTimer) {
  HWND a = Window("a", [](HWND h, UINT msg, WPARAM) {
    if (msg == WM_TIMER) DestroyWindow(h);
  });
  HWND b = Window("b");
  SetTimer(a, 1, 100, nullptr);
  SetTimer(a, 2, 100, nullptr);
  SetTimer(b, 3, 400, nullptr);
  loop.Advance(500);
  EXPECT_EQ(log, (Log{"a:275:1@100", "b:275:3@400"}));
  EXPECT_EQ(loop.ActiveTimers(), 1u);
  DestroyWindow(b);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(MessagesTest, TickCountFollowsTheVirtualClock) {
  EXPECT_EQ(GetTickCount(), 0u);
  loop.Advance(1234);
  EXPECT_EQ(GetTickCount(), 1234u);
  DWORD seen = 0;
  loop.AddTimer(66, false, [&] { seen = GetTickCount(); });
  loop.Advance(100);
  EXPECT_EQ(seen, 1300u);
  EXPECT_EQ(GetTickCount(), 1334u);
}

}  // namespace
