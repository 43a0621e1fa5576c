// The version window: where the version button shows it, how it goes away, and its panel
// that fills the window whatever its size.
#include <gtest/gtest.h>

#include "tests/player/PlayerFixture.h"

namespace {

class VersionWindowTest : public PlayerTest {
 protected:
  TVerForm& Ver() { return *VerForm; }
};

TEST_F(VersionWindowTest, OpensBesideTheMainWindowWhereverThatStands) {
  StartAll();
  EXPECT_FALSE(Ver().Visible());
  ASSERT_EQ(form->Left(), 208);
  ASSERT_EQ(form->Top(), 120);
  form->Cmb_Ver->Click();
  EXPECT_TRUE(Ver().Visible());
  EXPECT_EQ(Ver().Left(), 308);
  EXPECT_EQ(Ver().Top(), 170);
  EXPECT_EQ(Ver().Width(), 403) << "only the place changes";

  // Pressed again while shown, after the main window moved: the window follows.
  form->SetBounds(10, 700, form->Width(), form->Height());
  Ver().SetBounds(500, 500, Ver().Width(), Ver().Height());
  form->Cmb_Ver->Click();
  EXPECT_EQ(Ver().Left(), 110);
  EXPECT_EQ(Ver().Top(), 750);
  EXPECT_TRUE(Ver().Visible());
}

TEST_F(VersionWindowTest, OkAndEnterHideItAndItCanBeShownAgain) {
  StartAll();
  form->Cmb_Ver->Click();
  Ver().BitBtn1->Click();
  EXPECT_FALSE(Ver().Visible());
  EXPECT_FALSE(Application->Terminated());
  form->Cmb_Ver->Click();
  ASSERT_TRUE(Ver().Visible());
  EXPECT_TRUE(Ver().KeyPress(platform::ui::Key::Enter));
  EXPECT_FALSE(Ver().Visible());
  EXPECT_FALSE(Ver().KeyPress(platform::ui::Key::Escape)) << "the window has no cancel button";
}

TEST_F(VersionWindowTest, ThePanelFillsTheClientAreaWhenTheWindowIsResized) {
  StartAll();
  EXPECT_EQ(Ver().Panel1->Width(), Ver().ClientWidth());
  EXPECT_EQ(Ver().Panel1->Height(), Ver().ClientHeight());
  Ver().SetBounds(Ver().Left(), Ver().Top(), Ver().Width() + 120, Ver().Height() + 40);
  EXPECT_EQ(Ver().Panel1->Width(), 403 + 120);
  EXPECT_EQ(Ver().Panel1->Height(), 234 + 40);
  EXPECT_EQ(Ver().Label1->Left(), 105);
  EXPECT_EQ(Ver().Image1->Top(), 89);
  EXPECT_EQ(Ver().BitBtn1->Left(), 156);
  EXPECT_EQ(Ver().BitBtn1->Top(), 161);
}

}  // namespace
