// The settings window, the play-order editor and the version window drawn by the Qt peers,
// each compared with its committed picture, and a few of their controls' places and looks
// as the native widgets show them.
#include <gtest/gtest.h>

#include "tests/player_qt/ReferencePicture.h"
#include "tests/player_qt/RenderedPlayer.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <cstdlib>

#include "about/Unit5.h"
#include "editor/Unit2.h"
#include "framework/Application.h"
#include "framework/Resources.h"
#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "settings/Unit3.h"
#include "tests/support/TempDir.h"

#ifndef PLUME_SOURCE_DIR
#error "PLUME_SOURCE_DIR names the source tree, where the reference pictures are kept"
#endif

namespace {

class SecondaryWindowsRenderTest : public RenderedPlayerTest {
 protected:
  SecondaryWindowsRenderTest() { Start("sim;sim:none", true); }
  // The widget's place in the window's client area.
  static QRect InWindow(QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

  // Compares the window with tests/reference/<file>, or writes the picture there when
  // PLUME_UPDATE_REFERENCES is set.
  void ExpectLooksLikeReference(const char* windowName, const char* file) {
    QWidget* window = Window(windowName);
    ASSERT_NE(window, nullptr);
    const QImage shot = window->grab().toImage();
    EXPECT_TRUE(LooksLikeReference(shot, file, shot.width() * shot.height() / 100));
    if (UpdatingReferences()) GTEST_SKIP() << "reference picture written: " << file;
  }
};

TEST_F(SecondaryWindowsRenderTest, SettingsWindowControlsStandOnTheirPages) {
  form->Smb_Setting->Click();
  Settle();
  QWidget* window = Window("Setting_Form");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(188, 176));
  EXPECT_EQ(window->windowTitle().toStdString(), "設定　ウィンドウ");

  auto* tabs = Child<QTabWidget>("Setting_Form", "TabbedNotebook1");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->geometry(), QRect(3, 2, 182, 135));
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0).toStdString(), "再生");
  EXPECT_EQ(tabs->tabText(1).toStdString(), "ドライブ");
  EXPECT_EQ(tabs->currentIndex(), 0);

  auto* seconds = Child<QLineEdit>("Setting_Form", "ITime");
  ASSERT_NE(seconds, nullptr);
  EXPECT_EQ(seconds->size(), QSize(33, 20));
  EXPECT_EQ(seconds->text().toStdString(), "0");
  EXPECT_FALSE(seconds->isEnabled());
  // The spin arrows stand right against the field, on the same page.
  QWidget* spin = Child<QWidget>("Setting_Form", "ITime_UpDown");
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->parentWidget(), seconds->parentWidget());
  EXPECT_EQ(spin->geometry().left(), seconds->geometry().right() + 1);

  auto* drives = Child<QListWidget>("Setting_Form", "CDList");
  ASSERT_NE(drives, nullptr);
  EXPECT_EQ(drives->geometry(), QRect(8, 28, 97, 69));
  ASSERT_EQ(drives->count(), 2);
  EXPECT_EQ(drives->item(1)->text().toStdString(), "E:");
  EXPECT_EQ(drives->font().pixelSize(), 16);

  auto* ok = Child<QPushButton>("Setting_Form", "BitBtn1");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->geometry(), QRect(6, 145, 82, 25));
  EXPECT_EQ(ok->text().toStdString(), "OK");
}

TEST_F(SecondaryWindowsRenderTest, SettingsWindowLooksLikeItsReferencePicture) {
  form->Smb_Setting->Click();
  Settle();
  ExpectLooksLikeReference("Setting_Form", "settings_window.png");
}

TEST_F(SecondaryWindowsRenderTest, EditorListsStandSideBySideWithTheButtonsBetween) {
  form->Cmb_List->Click();
  Settle();
  QWidget* window = Window("CDList_Form");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(340, 214));
  EXPECT_EQ(window->windowTitle().toStdString(), "再生順序　作成ウィンドウ");

  auto* available = Child<QListWidget>("CDList_Form", "List1");
  auto* program = Child<QListWidget>("CDList_Form", "List2");
  ASSERT_NE(available, nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(available->geometry(), QRect(17, 24, 121, 125));
  EXPECT_EQ(program->geometry(), QRect(201, 24, 121, 125));
  ASSERT_EQ(available->count(), 12);
  // Rows of 16 pixels, and the numbers run on in a second column.
  EXPECT_EQ(available->visualItemRect(available->item(1)).top() - available->visualItemRect(available->item(0)).top(),
            16);
  EXPECT_GT(available->visualItemRect(available->item(11)).left(),
            available->visualItemRect(available->item(0)).left());
  EXPECT_EQ(program->selectionMode(), QAbstractItemView::ExtendedSelection);

  auto* add = Child<QPushButton>("CDList_Form", "AddSong");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add->geometry(), QRect(155, 45, 35, 35));
  EXPECT_EQ(add->focusPolicy(), Qt::NoFocus) << "a picture button never takes the focus";
  auto* release = Child<QPushButton>("CDList_Form", "Song_ReLoad");
  ASSERT_NE(release, nullptr);
  EXPECT_EQ(release->text().toStdString(), "解除");
  EXPECT_NE(release->focusPolicy(), Qt::NoFocus);
}

TEST_F(SecondaryWindowsRenderTest, EditorLooksLikeItsReferencePicture) {
  form->Cmb_List->Click();
  for (int track : {3, 3, 7}) {
    CDList_Form->List1->SetItemIndex(track - 1);
    CDList_Form->AddSong->Click();
  }
  CDList_Form->List2->SetItemIndex(2);
  Settle();
  ExpectLooksLikeReference("CDList_Form", "editor_window.png");
}

TEST_F(SecondaryWindowsRenderTest, VersionWindowTextsFitOnTheBlackPanel) {
  form->Cmb_Ver->Click();
  Settle();
  QWidget* window = Window("VerForm");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(403, 234));
  QWidget* panel = Child<QWidget>("VerForm", "Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 403, 234));
  for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
    SCOPED_TRACE(name);
    auto* label = Child<QLabel>("VerForm", name);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(QFontInfo(label->font()).family().contains("Gothic", Qt::CaseInsensitive));
    // The label sized itself to its text, and the text ends inside the panel.
    EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
    EXPECT_LE(label->geometry().right(), panel->width() - 1);
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 0, 0));
  }
  EXPECT_EQ(Child<QLabel>("VerForm", "Label1")->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  EXPECT_EQ(Child<QLabel>("VerForm", "Label2")->palette().color(QPalette::WindowText), QColor(0, 255, 255));
  auto* ok = Child<QPushButton>("VerForm", "BitBtn1");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(InWindow(ok), QRect(156, 161, 85, 32));

  // A bigger window: the panel grows with it, the button stays where it was.
  window->resize(480, 300);
  Settle();
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 480, 300));
  EXPECT_EQ(InWindow(ok), QRect(156, 161, 85, 32));
}

TEST_F(SecondaryWindowsRenderTest, VersionWindowLooksLikeItsReferencePicture) {
  form->Cmb_Ver->Click();
  Settle();
  ExpectLooksLikeReference("VerForm", "version_window.png");
}

}  // namespace
