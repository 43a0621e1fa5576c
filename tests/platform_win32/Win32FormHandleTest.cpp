// A form on the system's windows goes by its real top-level window: the placement calls
// reach the system, and what the system does to the window comes back into the form.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "platform/ui/Windows.h"
#include "platform/win32/Win32Backend.h"

namespace {

class Win32FormHandleTest : public ::testing::Test {
 protected:
  Win32FormHandleTest() : previous(platform::ui::SetBackend(&backend)) {}
  ~Win32FormHandleTest() override { platform::ui::SetBackend(previous); }

  platform::win32::Win32Backend backend;
  platform::ui::Backend* previous;
};

TEST_F(Win32FormHandleTest, TheFormsHandleIsItsTopLevelWindowAndPlacementPassesThrough) {
  TForm form(nullptr);
  const HWND h = form.Handle();
  ASSERT_TRUE(IsWindow(h));
  EXPECT_EQ(GetParent(h), nullptr) << "a top-level window";
  EXPECT_EQ(platform::ui::PeerOf(h), dynamic_cast<platform::ui::FormPeer*>(form.Peer()));

  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ASSERT_TRUE(GetWindowPlacement(h, &wp));
  wp.rcNormalPosition = RECT{40, 60, 340, 260};
  wp.showCmd = SW_SHOWNORMAL;
  ASSERT_TRUE(SetWindowPlacement(h, &wp));
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 300);
  // The system moved the window; the form heard of it.
  EXPECT_EQ(form.Left(), 40);
  EXPECT_EQ(form.Top(), 60);
  EXPECT_EQ(form.Width(), 300);
}

TEST_F(Win32FormHandleTest, WithoutTheSystemsWindowsAFormKeepsAMessageWindowOfItsOwn) {
  platform::ui::SetBackend(nullptr);
  TForm form(nullptr);
  EXPECT_EQ(form.Peer(), nullptr);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  EXPECT_TRUE(GetWindowPlacement(form.Handle(), &wp)) << "answered by the form itself";
}

}  // namespace
