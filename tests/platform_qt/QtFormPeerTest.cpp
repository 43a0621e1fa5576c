#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "tests/platform_qt/QtPeerFixture.h"

using namespace platform::ui;

TEST_F(QtPeerTest, FormClientAreaIsExactAndFixedUnlessSizeable) {
  form->SetBorder(BorderStyle::Single, BorderIcons{});
  form->SetClientSize(321, 203);
  QWidget* w = WidgetOf(form);
  EXPECT_EQ(w->size(), QSize(321, 203));
  EXPECT_EQ(w->minimumSize(), QSize(321, 203));
  EXPECT_EQ(w->maximumSize(), QSize(321, 203));
  // Without a window manager there is no frame, so the outer bounds are the client area.
  form->SetBounds(12, 34, 300, 150);
  int l = -1, t = -1, r = -1, b = -1;
  form->FrameMargins(l, t, r, b);
  EXPECT_EQ(QRect(l, t, r, b), QRect(0, 0, 0, 0));
  EXPECT_EQ(w->frameGeometry(), QRect(12, 34, 300, 150));
  EXPECT_EQ(w->maximumSize(), QSize(300, 150));

  form->SetBorder(BorderStyle::Sizeable, BorderIcons{});
  form->SetClientSize(200, 100);
  EXPECT_EQ(w->size(), QSize(200, 100));
  EXPECT_GT(w->maximumWidth(), 200);
  EXPECT_EQ(w->minimumSize(), QSize(0, 0));
}

TEST_F(QtPeerTest, BorderIconsBecomeWindowFlags) {
  QWidget* w = WidgetOf(form);
  form->SetBorder(BorderStyle::Single, BorderIcons{false, false, false});
  Qt::WindowFlags f = w->windowFlags();
  EXPECT_TRUE(f.testFlag(Qt::CustomizeWindowHint));
  EXPECT_TRUE(f.testFlag(Qt::WindowTitleHint));
  EXPECT_FALSE(f.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(f.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(f.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(f.testFlag(Qt::WindowMaximizeButtonHint));

  form->SetBorder(BorderStyle::Single, BorderIcons{true, true, false});
  f = w->windowFlags();
  EXPECT_TRUE(f.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(f.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(f.testFlag(Qt::WindowMaximizeButtonHint));

  form->SetBorder(BorderStyle::None, BorderIcons{});
  EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
  form->SetBorder(BorderStyle::ToolWindow, BorderIcons{});
  EXPECT_EQ(w->windowType(), Qt::Tool);
}

TEST_F(QtPeerTest, CloseRequestsGoToTheFormWhichMayRefuse) {
  ShowForm();
  QWidget* w = WidgetOf(form);
  formHandler.allowClose = false;
  EXPECT_FALSE(w->close());
  EXPECT_TRUE(w->isVisible());
  formHandler.allowClose = true;
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(formHandler.calls, (std::vector<std::string>{"CloseRequest", "CloseRequest"}));
}

TEST_F(QtPeerTest, EnterEscAndAcceleratorsReachTheFormPastFocusedControls) {
  ShowForm();
  RecordingHandler buttonHandler, listHandler;
  auto button = backend.CreateButton(form.get(), &buttonHandler);
  button->SetText("&OK");
  button->SetDefault(true);
  auto list = backend.CreateListBox(form.get(), &listHandler);
  list->SetItems({"alpha", "omega"});

  // A focused default button does not click on Enter: the form decides.
  QTest::keyClick(WidgetOf(button), Qt::Key_Return);
  EXPECT_TRUE(buttonHandler.calls.empty());
  QTest::keyClick(WidgetOf(list), Qt::Key_Enter);
  QTest::keyClick(WidgetOf(list), Qt::Key_Escape);
  // Alt with a letter is an accelerator, even where the list would search for the letter.
  QTest::keyClick(WidgetOf(list), Qt::Key_W, Qt::AltModifier);
  EXPECT_EQ(formHandler.calls, (std::vector<std::string>{"Key Enter", "Key Enter", "Key Escape", "Char w alt"}));
  EXPECT_TRUE(listHandler.calls.empty());

  // The space bar still presses a focused button.
  QTest::keyClick(WidgetOf(button), Qt::Key_Space);
  EXPECT_EQ(buttonHandler.calls, std::vector<std::string>{"Click"});
}

TEST_F(QtPeerTest, MovesAreReportedOnlyWhenTheyAreNotTheProgramsOwn) {
  ShowForm(100, 80);
  QWidget* w = WidgetOf(form);
  form->SetBounds(50, 60, 100, 80);
  ProcessEvents();
  EXPECT_TRUE(formHandler.calls.empty());
  // What the window manager would do: move the window behind the program's back.
  w->move(70, 90);
  ProcessEvents();
  EXPECT_EQ(formHandler.calls, std::vector<std::string>{"Moved 70,90 100x80"});
}
