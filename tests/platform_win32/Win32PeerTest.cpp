// The Win32 peers through the system's own controls: what the program sets is read back
// from the controls, and what a user does (clicks, keys, arrow steps) comes back to the
// handler once, while the program's own changes are not reported as the user's.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32ButtonPeer.h"
#include "platform/win32/Win32CheckBoxPeer.h"
#include "platform/win32/Win32CustomPeer.h"
#include "platform/win32/Win32Diagnostics.h"
#include "platform/win32/Win32EditPeer.h"
#include "platform/win32/Win32FormPeer.h"
#include "platform/win32/Win32ListBoxPeer.h"
#include "platform/win32/Win32PageControlPeer.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32UpDownPeer.h"

using namespace platform;
using namespace platform::win32;

namespace {

struct Events : ui::PeerHandler {
  std::vector<std::string> log;
  void PeerClick() override { log.push_back("click"); }
  void PeerSelection(int index, const std::vector<bool>& selected) override {
    std::string s = "select " + std::to_string(index) + ":";
    for (bool b : selected) s += b ? '1' : '0';
    log.push_back(s);
  }
  void PeerCheck(bool checked) override { log.push_back(checked ? "check 1" : "check 0"); }
  void PeerText(const std::string& text) override { log.push_back("text " + text); }
  void PeerPosition(int position) override { log.push_back("position " + std::to_string(position)); }
  void PeerPageChanged(int index) override { log.push_back("page " + std::to_string(index)); }
  bool PeerCloseRequest() override {
    log.push_back("close");
    return false;
  }
  void PeerPaint(HDC dc) override { log.push_back(dc ? "paint" : "paint without dc"); }
};

class Win32PeerTest : public ::testing::Test {
 protected:
  Win32PeerTest() : form(&formEvents) {
    form.SetBounds(50, 50, 400, 300);
    form.SetClientSize(380, 260);
  }
  static std::wstring TextOf(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
  }
  static void Click(HWND w, int x, int y) {
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  Win32Backend backend;  // registers the common controls
  Events formEvents, events;
  Win32FormPeer form;
};

TEST_F(Win32PeerTest, FormCaptionAndClientSizeAreTheWindowsOwnAndCloseAsksTheHandler) {
  form.SetText("CDデッキ　「澄響」");
  EXPECT_EQ(TextOf(form.Hwnd()), L"CDデッキ　「澄響」");
  RECT client{};
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, 380);
  EXPECT_EQ(client.bottom, 260);
  int l = 0, t = 0, r = 0, b = 0;
  form.FrameMargins(l, t, r, b);
  RECT outer{};
  GetWindowRect(form.Hwnd(), &outer);
  EXPECT_EQ(outer.right - outer.left, 380 + l + r);
  EXPECT_EQ(outer.bottom - outer.top, 260 + t + b);
  SendMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(formEvents.log, std::vector<std::string>{"close"});
  EXPECT_TRUE(IsWindow(form.Hwnd())) << "the framework decides whether the window goes";
}

TEST_F(Win32PeerTest, ListBoxRowsAndSelectionReadBackAndAUserClickSelects) {
  Win32ListBoxPeer list(form.Hwnd(), &events);
  list.SetFont(ui::FontSpec{"Arial", 12});
  list.SetBounds(10, 10, 100, 100);
  list.SetItemHeight(16);
  list.SetItems({"1", "二", "3"});
  ASSERT_EQ(SendMessageW(list.Hwnd(), LB_GETCOUNT, 0, 0), 3);
  wchar_t row[16] = {};
  SendMessageW(list.Hwnd(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
  EXPECT_EQ(std::wstring(row), L"二");
  list.SetSelection(0, {true, false, false});
  EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(events.log.empty()) << "the program's own selection is no user's";

  Click(list.Hwnd(), 10, 2 * 16 + 8);
  EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(events.log, (std::vector<std::string>{"select 2:001", "click"}));

  // Several columns: the window is made afresh with the same rows, place and selection.
  const HWND before = list.Hwnd();
  list.SetColumns(3);
  EXPECT_NE(list.Hwnd(), before);
  EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_MULTICOLUMN);
  EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Win32Control::FromHwnd(list.Hwnd()), &list);
  EXPECT_EQ(Win32Control::FromHwnd(before), nullptr);
}

TEST_F(Win32PeerTest, ButtonAndCheckBoxReportClicksAndTheCheckReadsBack) {
  // A click, even a simulated one, reaches only a button on the screen.
  form.ShowWindow(true, false);
  Win32ButtonPeer button(form.Hwnd(), &events);
  button.SetBounds(10, 10, 80, 24);
  button.SetText("&OK");
  EXPECT_EQ(TextOf(button.Hwnd()), L"&OK");
  SendMessageW(button.Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(events.log, std::vector<std::string>{"click"});

  events.log.clear();
  Win32CheckBoxPeer check(form.Hwnd(), &events);
  check.SetBounds(10, 40, 120, 20);
  check.SetText("イントロ");
  check.SetChecked(true);
  EXPECT_EQ(SendMessageW(check.Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(events.log.empty());
  SendMessageW(check.Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(check.Hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(events.log, (std::vector<std::string>{"check 0", "click"}));
}

TEST_F(Win32PeerTest, EditTakesUtf8AndReportsOnlyWhatIsTyped) {
  Win32EditPeer edit(form.Hwnd(), &events);
  edit.SetBounds(10, 10, 120, 22);
  edit.SetText("再生 12");
  EXPECT_EQ(TextOf(edit.Hwnd()), L"再生 12");
  EXPECT_TRUE(events.log.empty());
  SendMessageW(edit.Hwnd(), EM_SETSEL, 100, 100);
  SendMessageW(edit.Hwnd(), WM_CHAR, L'3', 1);
  EXPECT_EQ(events.log, std::vector<std::string>{"text 再生 123"});
  EXPECT_EQ(edit.CurrentText(), "再生 123");
}

TEST_F(Win32PeerTest, UpDownStepsByTheIncrementAndWrapsAtTheEnds) {
  Win32UpDownPeer spin(form.Hwnd(), &events);
  spin.SetBounds(10, 10, 16, 24);
  spin.SetRange(1, 5, 2, true);
  spin.SetPosition(3);
  Click(spin.Hwnd(), 8, 4);  // the upper arrow
  Click(spin.Hwnd(), 8, 4);
  Click(spin.Hwnd(), 8, 20);  // the lower arrow
  EXPECT_EQ(events.log, (std::vector<std::string>{"position 5", "position 1", "position 5"}));

  events.log.clear();
  spin.SetRange(1, 5, 1, false);
  spin.SetPosition(5);
  Click(spin.Hwnd(), 8, 4);
  EXPECT_TRUE(events.log.empty()) << "no step past the end without wrapping";
}

TEST_F(Win32PeerTest, TabsShowOnePageAndAUserChoiceIsReported) {
  Win32PageControlPeer tabs(form.Hwnd(), &events);
  tabs.SetBounds(0, 0, 300, 200);
  tabs.SetPages({"一般", "詳細"});
  ASSERT_EQ(TabCtrl_GetItemCount(tabs.Hwnd()), 2);
  auto* first = dynamic_cast<Win32Control*>(tabs.PageContainer(0));
  auto* second = dynamic_cast<Win32Control*>(tabs.PageContainer(1));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(tabs.PageContainer(2), nullptr);
  tabs.SetActivePage(1);
  EXPECT_FALSE(GetWindowLongPtrW(first->Hwnd(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongPtrW(second->Hwnd(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(events.log.empty());

  RECT tab{};
  TabCtrl_GetItemRect(tabs.Hwnd(), 0, &tab);
  Click(tabs.Hwnd(), static_cast<int>(tab.left + tab.right) / 2, static_cast<int>(tab.top + tab.bottom) / 2);
  EXPECT_EQ(events.log, std::vector<std::string>{"page 0"});
  EXPECT_TRUE(GetWindowLongPtrW(first->Hwnd(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(Win32PeerTest, DrawnControlPaintsThroughADeviceContextOfTheDrawingInterface) {
  Win32CustomPeer drawn(form.Hwnd(), &events);
  drawn.SetBounds(10, 10, 66, 30);
  form.ShowWindow(true, false);
  RedrawWindow(drawn.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(events.log.empty());
  EXPECT_EQ(events.log.back(), "paint");
}

TEST_F(Win32PeerTest, DumpListsTheNamedControlsOfEachFormWithTheirValues) {
  form.SetName("Form1");
  form.SetText("窓");
  Win32ListBoxPeer list(form.Hwnd(), &events);
  list.SetName("List1");
  list.SetItems({"a", "b"});
  list.SetSelection(1, {false, true});
  Win32CheckBoxPeer unnamed(form.Hwnd(), &events);
  const std::string dump = UiDump(backend);
  EXPECT_NE(dump.find("Form1\tclass=Win32Form\t"), std::string::npos) << dump;
  EXPECT_NE(dump.find("\ttitle=窓"), std::string::npos) << dump;
  EXPECT_NE(dump.find("List1\tclass=Win32ListBox\t"), std::string::npos) << dump;
  EXPECT_NE(dump.find("\titems=a|b\tselected=1"), std::string::npos) << dump;
  EXPECT_EQ(dump.find("Win32CheckBox"), std::string::npos) << "controls without a name are left out";
}

}  // namespace
