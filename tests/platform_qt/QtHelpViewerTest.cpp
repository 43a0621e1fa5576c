#include "platform/qt/QtHelpViewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>

#include "platform/help/Help.h"
#include "platform/help/HelpText.h"
#include "platform/ui/Windows.h"
#include "tests/support/Recorders.h"

using platform::help::ParseHelpText;
using platform::qt::HelpHtml;
using platform::qt::QtHelpViewer;

namespace {

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

TEST(QtHelpViewerTest, RendersTheMarkupAsEscapedHtml) {
  const QString html =
      HelpHtml(ParseHelpText("= A <b> & C\n== Part\ntext \"quoted\"\n\n- one\n- two\n\nafter\n- last"));
  EXPECT_EQ(html, QStringLiteral("<html><body><h1>A &lt;b&gt; &amp; C</h1><h2>Part</h2><p>text &quot;quoted&quot;</p>"
                                 "<ul><li>one</li><li>two</li></ul><p>after</p><ul><li>last</li></ul>"
                                 "</body></html>"));
}

TEST(QtHelpViewerTest, ShowsTheTextInOneWindowThatComesBackToTheFront) {
  QtHelpViewer viewer;
  EXPECT_EQ(viewer.Window(), nullptr) << "the window is made only when needed";
  viewer.ShowContents("「澄響」 ヘルプ", "= 「澄響」 ヘルプ\n\n再生ボタンを押します。\n\n- <INTRO>\n");
  ProcessEvents();
  QDialog* window = viewer.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("「澄響」 ヘルプ"));
  const QString shown = viewer.Browser()->toPlainText();
  EXPECT_TRUE(shown.contains(QStringLiteral("再生ボタンを押します。"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("<INTRO>"))) << "markup characters are text: " << shown.toStdString();
  EXPECT_TRUE(viewer.Browser()->isReadOnly());

  viewer.Close();
  EXPECT_FALSE(window->isVisible());
  viewer.ShowContents("Other", "= Other\n\nnew text\n");
  EXPECT_EQ(viewer.Window(), window) << "help opens in the same window again";
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Other"));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(QStringLiteral("new text")));
}

TEST(QtHelpViewerTest, TheCloseButtonAndEscHideTheWindow) {
  QtHelpViewer viewer;
  viewer.ShowContents("Help", "text");
  QDialog* window = viewer.Window();
  auto* close = window->findChild<QPushButton*>(QStringLiteral("HelpClose"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), QStringLiteral("閉じる"));
  close->click();
  EXPECT_FALSE(window->isVisible());

  viewer.ShowContents("Help", "text");
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &esc);
  EXPECT_FALSE(window->isVisible());
}

TEST(QtHelpViewerTest, AMissingFileIsToldInAMessageBox) {
  QtHelpViewer viewer;
  MessageBoxRecorder boxes;
  viewer.ReportMissingFile(nullptr, "plume.hlp");
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, platform::help::MissingHelpFileText("plume.hlp"));
  EXPECT_EQ(boxes.All()[0].caption, platform::help::HelpCaption());
  EXPECT_EQ(viewer.Window(), nullptr);
}

// A program window that is only a placement: where the deck stands on the screen.
class StandingWindow : public PlacementProvider {
 public:
  explicit StandingWindow(RECT r) : rect(r) {}
  void GetPlacement(WINDOWPLACEMENT& wp) override {
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = rect;
  }
  void SetPlacement(const WINDOWPLACEMENT& wp) override { rect = wp.rcNormalPosition; }
  RECT rect;
};

TEST(QtHelpViewerTest, HelpOpensBesideTheProgramsWindowWhenTheScreenHasRoom) {
  SetScreenSource([] { return std::vector<RECT>{{0, 0, 1920, 1080}}; });
  const HWND deck = HandleFromValue(0x5eed);
  StandingWindow standing(RECT{208, 120, 692, 300});
  RegisterPlacementProvider(deck, &standing);
  QtHelpViewer viewer;
  platform::help::HelpViewer* previous = platform::help::SetHelpViewer(&viewer);
  platform::help::RegisterHelpText("beside.hlp", "= Beside\n\ntext\n");
  const QRect deckArea(208, 120, 484, 180);

  ASSERT_TRUE(WinHelpA(deck, "beside.hlp", HELP_CONTENTS, 0));
  ProcessEvents();
  QDialog* window = viewer.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->frameGeometry().intersects(deckArea)) << "help covers the deck";
  EXPECT_GE(window->frameGeometry().left(), 692);
  EXPECT_EQ(window->frameGeometry().top(), 120);

  // Where the user then puts the open window is left alone.
  window->move(900, 40);
  ASSERT_TRUE(WinHelpA(deck, "beside.hlp", HELP_CONTENTS, 0));
  ProcessEvents();
  EXPECT_EQ(window->pos(), QPoint(900, 40));

  // Closed, and opened again after the deck moved to the right edge: beside it on the left.
  viewer.Close();
  standing.rect = RECT{1400, 120, 1884, 300};
  ASSERT_TRUE(WinHelpA(deck, "beside.hlp", HELP_CONTENTS, 0));
  ProcessEvents();
  EXPECT_FALSE(window->frameGeometry().intersects(QRect(1400, 120, 484, 180)));
  EXPECT_LE(window->frameGeometry().right(), 1399);

  viewer.Close();
  platform::help::UnregisterHelpText("beside.hlp");
  platform::help::SetHelpViewer(previous);
  UnregisterPlacementProvider(deck);
  SetScreenSource(nullptr);
}

}  // namespace
