#include "platform/qt/QtHelpViewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>

#include "platform/help/HelpText.h"
#include "platform/ui/Windows.h"

using platform::help::ParseHelpText;
using platform::qt::HelpHtml;
using platform::qt::QtHelpViewer;

namespace {

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

TEST(QtHelpViewerTest, RendersTheMarkupAsEscapedHtml) {
  const QString html = HelpHtml(ParseHelpText("= A <b> & C\n== Part\ntext \"quoted\"\n\n- one\n- two\n\nafter\n- last"));
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
  LastMessageBoxes().clear();
  viewer.ReportMissingFile(nullptr, "plume.hlp");
  ASSERT_EQ(LastMessageBoxes().size(), 1u);
  EXPECT_EQ(LastMessageBoxes()[0].text, platform::help::MissingHelpFileText("plume.hlp"));
  EXPECT_EQ(LastMessageBoxes()[0].caption, platform::help::HelpCaption());
  EXPECT_EQ(viewer.Window(), nullptr);
}

}  // namespace
