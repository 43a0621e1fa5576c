// The main window drawn by the Qt peers, compared with the committed picture of it, and
// the controls' texts, colours, fonts and places as the native widgets show them.
#include <gtest/gtest.h>

#include "tests/player_qt/ReferencePicture.h"
#include "tests/player_qt/RenderedPlayer.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <cstdlib>

#include "framework/Application.h"
#include "framework/Resources.h"
#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "tests/support/TempDir.h"

#ifndef PLUME_SOURCE_DIR
#error "PLUME_SOURCE_DIR names the source tree, where the reference pictures are kept"
#endif

namespace {

class MainWindowRenderTest : public RenderedPlayerTest {
 protected:
  MainWindowRenderTest() {
    Start("sim", false);
    form->TimerTimer(nullptr);
    Settle();
  }
  static QWidget* Window() { return RenderedPlayerTest::Window("Form1"); }
  template <class W>
  static W* Child(const char* name) {
    return RenderedPlayerTest::Child<W>("Form1", name);
  }
};

TEST_F(MainWindowRenderTest, ControlsStandWhereAndAsTheDescriptionSays) {
  QWidget* window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(482, 159));
  EXPECT_EQ(window->windowTitle().toStdString(), "CDデッキ　「澄響」");

  auto* mainText = Child<QLabel>("MainText");
  ASSERT_NE(mainText, nullptr);
  EXPECT_EQ(mainText->geometry(), QRect(16, 10, 361, 79));
  EXPECT_EQ(mainText->text().toStdString(), "[01]  00:00");
  EXPECT_EQ(mainText->font().pixelSize(), 32);
  EXPECT_TRUE(mainText->font().bold());
  EXPECT_TRUE(QFontInfo(mainText->font()).family().contains("Mincho", Qt::CaseInsensitive))
      << QFontInfo(mainText->font()).family().toStdString();
  EXPECT_EQ(mainText->palette().color(QPalette::WindowText), QColor(0, 255, 0));

  auto* intro = Child<QLabel>("Label_Intro");
  ASSERT_NE(intro, nullptr);
  EXPECT_EQ(intro->geometry(), QRect(200, 18, 60, 12));
  EXPECT_EQ(intro->palette().color(QPalette::WindowText), QColor(192, 192, 192));
  EXPECT_TRUE(QFontInfo(intro->font()).family().contains("Gothic", Qt::CaseInsensitive));

  auto* noCD = Child<QLabel>("noCD");
  ASSERT_NE(noCD, nullptr);
  EXPECT_EQ(noCD->text().toStdString(), "Audio CD");

  auto* list = Child<QListWidget>("List1");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->geometry(), QRect(376, 10, 97, 79));
  ASSERT_EQ(list->count(), 12);
  EXPECT_EQ(list->item(11)->text().toStdString(), "12");
  // Three columns of four rows: the fifth entry heads the second column.
  EXPECT_EQ(list->visualItemRect(list->item(4)).top(), list->visualItemRect(list->item(0)).top());
  EXPECT_GT(list->visualItemRect(list->item(4)).left(), list->visualItemRect(list->item(0)).left());
  EXPECT_EQ(list->visualItemRect(list->item(1)).top() - list->visualItemRect(list->item(0)).top(), 19);
}

TEST_F(MainWindowRenderTest, TheWindowLooksLikeItsReferencePicture) {
  QWidget* window = Window();
  ASSERT_NE(window, nullptr);
  const QImage shot = window->grab().toImage();
  EXPECT_TRUE(LooksLikeReference(shot, "main_window.png", shot.width() * shot.height() / 100));
  if (UpdatingReferences()) GTEST_SKIP() << "reference picture written";
}

}  // namespace
