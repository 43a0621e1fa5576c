// The help viewer on Windows: the help file's markup as plain lines in a read-only text of
// the system, a window that comes up beside the program's and goes away on 閉じる.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32HelpViewer.h"

using platform::win32::Win32HelpViewer;

namespace {

std::wstring TextOf(HWND w) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
  return text;
}

TEST(Win32HelpViewer, MarkupBecomesPlainLines) {
  EXPECT_EQ(Win32HelpViewer::PlainText("= 澄響\n\n== 使い方\n再生を\n押します。\n\n- 一つ目\n- 二つ目\n"),
            L"澄響\r\n\r\n■ 使い方\r\n\r\n再生を押します。\r\n\r\n・ 一つ目\r\n・ 二つ目\r\n");
}

TEST(Win32HelpViewer, ShowsBesideTheOwnerAndClosesOnItsButton) {
  Win32HelpViewer viewer;
  const RECT owner{100, 100, 580, 260};
  viewer.ShowContentsBeside(owner, "ヘルプ", "= 澄響\n\n本文です。\n");
  ASSERT_NE(viewer.Window(), nullptr);
  EXPECT_TRUE(IsWindowVisible(viewer.Window()));
  EXPECT_EQ(TextOf(viewer.Window()), L"ヘルプ");
  EXPECT_EQ(TextOf(viewer.TextWindow()), L"澄響\r\n\r\n本文です。\r\n\r\n");
  RECT placed{};
  GetWindowRect(viewer.Window(), &placed);
  RECT overlap{};
  EXPECT_FALSE(IntersectRect(&overlap, &placed, &owner)) << "the program's window stays in sight";

  SendMessageW(viewer.Window(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindowVisible(viewer.Window()));
  viewer.ShowContents("", "= 別\n");
  EXPECT_TRUE(IsWindowVisible(viewer.Window()));
  EXPECT_EQ(TextOf(viewer.TextWindow()), L"別\r\n\r\n");
}

}  // namespace
