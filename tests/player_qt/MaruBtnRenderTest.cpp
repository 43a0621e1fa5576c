// Round buttons drawn by Qt on a coloured form, one in each look, compared with their
// committed pictures; and what must hold whatever the font: the corners let the form show
// through, and the latched face is a one-pixel white and button-face checkerboard.
#include <gtest/gtest.h>

#include "tests/player_qt/ReferencePicture.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/MaruBtn.h"
#include "framework/Form.h"

#ifndef PLUME_SOURCE_DIR
#error "PLUME_SOURCE_DIR names the source tree, where the reference pictures are kept"
#endif

namespace {

constexpr TColor kBackground = 0x008C5A28;  // a deep blue, far from any grey
const QColor kBackgroundRgb(0x28, 0x5A, 0x8C);
const QColor kFaceRgb(192, 192, 192);

struct Look {
  const char* file;
  int left;
};
constexpr Look kLooks[] = {
    {"maru_up.png", 10}, {"maru_disabled.png", 86}, {"maru_pressed.png", 162}, {"maru_latched.png", 238}};
constexpr int kTop = 10;

class MaruBtnRenderTest : public ::testing::Test {
 protected:
  MaruBtnRenderTest() {
    form = new TForm(owner.get());
    form->SetName("MaruBtnForm");
    form->SetBorderStyle(bsSingle);
    form->SetColor(kBackground);
    form->SetBounds(40, 40, 314, 50);
    form->SetClientWidth(314);
    form->SetClientHeight(50);
    for (const Look& look : kLooks) {
      auto* b = new TMaruBtn(form);
      b->SetBounds(look.left, kTop, 66, 30);
      b->SetCaption("再生");
      b->SetParent(form);
      buttons.push_back(b);
    }
    buttons[1]->SetEnabled(false);
    buttons[3]->SetGroupIndex(1);
    buttons[3]->SetDown(true);
    form->Show();
    Settle();
    buttons[2]->MouseDown(mbLeft, {}, 33, 15);
    Settle();
  }
  ~MaruBtnRenderTest() override {
    owner.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
  QImage Shot() const {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "MaruBtnForm") return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return {};
  }

  std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
  TForm* form = nullptr;
  std::vector<TMaruBtn*> buttons;
};

TEST_F(MaruBtnRenderTest, EachLookMatchesItsReferencePicture) {
  ASSERT_EQ(buttons[2]->State(), msPressed);
  const QImage shot = Shot();
  ASSERT_EQ(shot.size(), QSize(314, 50));
  for (const Look& look : kLooks) {
    SCOPED_TRACE(look.file);
    const QImage area = shot.copy(look.left, kTop, 66, 30);
    EXPECT_TRUE(LooksLikeReference(area, look.file, 40));
  }
  if (UpdatingReferences()) GTEST_SKIP() << "reference pictures written";
}

TEST_F(MaruBtnRenderTest, CornersShowTheFormAndTheLatchedFaceIsACheckerboard) {
  const QImage shot = Shot();
  ASSERT_FALSE(shot.isNull());
  for (const Look& look : kLooks) {
    SCOPED_TRACE(look.file);
    for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1), QPoint(4, 1), QPoint(65, 0), QPoint(63, 1), QPoint(0, 29),
                                QPoint(2, 28), QPoint(65, 29), QPoint(61, 28)})
      EXPECT_EQ(shot.pixelColor(look.left + corner.x(), kTop + corner.y()), kBackgroundRgb)
          << corner.x() << "," << corner.y();
  }

  // A patch of face clear of the ring and the caption: solid in three looks, and in the
  // latched one alternating white and button face along every row and column.
  for (int y = 11; y < 20; ++y)
    for (int x = 10; x < 20; ++x) {
      for (int i : {0, 1, 2})
        EXPECT_EQ(shot.pixelColor(kLooks[i].left + x, kTop + y), kFaceRgb) << kLooks[i].file << " " << x << "," << y;
      const QColor c = shot.pixelColor(kLooks[3].left + x, kTop + y);
      EXPECT_TRUE(c == Qt::white || c == kFaceRgb) << x << "," << y << " " << c.name().toStdString();
      EXPECT_NE(c, shot.pixelColor(kLooks[3].left + x + 1, kTop + y)) << x << "," << y;
      EXPECT_NE(c, shot.pixelColor(kLooks[3].left + x, kTop + y + 1)) << x << "," << y;
    }
}

}  // namespace
