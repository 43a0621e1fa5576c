// What the Windows target takes from the system, checked under Wine: profile files, the
// drive letters with the table's drives among the system's, the CD commands' routing and
// error texts, and timers and posted messages on the system's message loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/drives/Drives.h"
#include "platform/mci/Mmsystem.h"
#include "platform/messages/EventLoop.h"
#include "platform/messages/Messages.h"
#include "platform/profile/Profile.h"
#include "platform/win32/Win32EventLoop.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

TEST(Win32PassThrough, ProfileFilesAreTheSystemsWithItsRules) {
  TempDir dir;
  const std::string file = dir.File("plume.ini");
  ASSERT_TRUE(WritePrivateProfileStringA("Form1", "Left", "12", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Form1", "Top", "\"34\"", file.c_str()));
  char value[32] = {};
  // Names match without regard to case; one pair of quotes goes.
  EXPECT_EQ(GetPrivateProfileStringA("FORM1", "left", "x", value, sizeof value, file.c_str()), 2u);
  EXPECT_STREQ(value, "12");
  GetPrivateProfileStringA("form1", "TOP", "x", value, sizeof value, file.c_str());
  EXPECT_STREQ(value, "34");
  GetPrivateProfileStringA("Form1", "Width", "default  ", value, sizeof value, file.c_str());
  EXPECT_STREQ(value, "default");
}

TEST(Win32PassThrough, TheTablesDrivesTakeTheFirstFreeLettersAmongTheSystems) {
  DriveTable::Instance().Configure("sim;sim:none");
  char roots[128] = {};
  const DWORD n = GetLogicalDriveStringsA(sizeof roots, roots);
  ASSERT_GT(n, 0u);
  std::vector<std::string> letters;
  for (const char* r = roots; *r; r += std::string(r).size() + 1) letters.emplace_back(r);
  // Wine's prefix has C: and Z:; the two simulated drives take D: and E:, in order.
  ASSERT_GE(letters.size(), 4u);
  EXPECT_EQ(letters[0], "C:\\");
  EXPECT_EQ(letters[1], "D:\\");
  EXPECT_EQ(letters[2], "E:\\");
  EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end()));
  EXPECT_EQ(GetDriveTypeA("D:\\"), UINT(DRIVE_CDROM));
  EXPECT_EQ(GetDriveTypeA("C:\\"), UINT(DRIVE_FIXED)) << "the system answers for its own";
  DriveTable::Instance().Configure("");
}

TEST(Win32PassThrough, CdCommandsGoToTheTableOrToTheSystemAndTheSystemNamesTheErrors) {
  DriveTable::Instance().Configure("sim:0:05");
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  open.lpstrElementName = "D:";
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                            reinterpret_cast<DWORD_PTR>(&open)),
            0u);
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_NUMBER_OF_TRACKS;
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  EXPECT_EQ(status.dwReturn, 1u);
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0), 0u);

  // C: is the system's fixed disk: the system's CD audio device refuses it, and a failed
  // open hands out no id.
  MCI_OPEN_PARMSA other{};
  other.wDeviceID = 0xBEEF;
  other.lpstrDeviceType = open.lpstrDeviceType;
  other.lpstrElementName = "C:";
  EXPECT_NE(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                            reinterpret_cast<DWORD_PTR>(&other)),
            0u);
  EXPECT_EQ(other.wDeviceID, 0xBEEFu);

  char text[128] = {};
  ASSERT_TRUE(mciGetErrorStringA(MCIERR_OUTOFRANGE, text, sizeof text));
  EXPECT_GT(std::string(text).size(), 5u);
  DriveTable::Instance().Configure("");
}

TEST(Win32PassThrough, TimersAndPostedMessagesRunOnTheSystemsLoop) {
  win32::Win32EventLoop loop;
  EventLoop* previous = SetEventLoop(&loop);
  std::vector<std::string> seen;
  int ticks = 0;
  HWND ours = CreateMessageWindow([&](HWND h, UINT msg, WPARAM w, LPARAM) -> LRESULT {
    if (msg == WM_TIMER && ++ticks == 3) {
      KillTimer(h, w);
      loop.Quit(7);
    }
    if (msg == WM_APP) seen.push_back("posted");
    return 0;
  });
  ASSERT_EQ(SetTimer(ours, 5, 10, nullptr), 5u);
  ASSERT_TRUE(PostMessageA(ours, WM_APP, 0, 0));
  EXPECT_EQ(loop.Run(), 7);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(seen, std::vector<std::string>{"posted"});

  // A one-shot timer runs once, and work it posts runs after it, in order.
  std::vector<int> order;
  loop.AddTimer(30, false, [&] {
    order.push_back(1);
    loop.Post([&] { order.push_back(2); });
    loop.Post([&] {
      order.push_back(3);
      loop.Quit(0);
    });
  });
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  DestroyWindow(ours);
  SetEventLoop(previous);
}

}  // namespace
