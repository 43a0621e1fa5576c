#include <QLabel>

#include "tests/platform_qt/QtPeerFixture.h"

using namespace platform::ui;

namespace {

bool AnyPixel(const QImage& image, QColor c) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y).rgb() == c.rgb()) return true;
  return false;
}

}  // namespace

TEST_F(QtPeerTest, LabelDrawsFontColourOnItsBackgroundOrOnTheParent) {
  ShowForm();
  form->SetBackground(kRed, true);
  auto label = backend.CreateLabel(form.get(), &handler);
  label->SetBounds(10, 20, 80, 30);
  label->SetFont(FontSpec{"ＭＳ Ｐゴシック", 20, true, false, false, false, kLime});
  label->SetText("88");
  label->SetBackground(kBlack, true);

  QImage face = Grab(WidgetOf(form));
  // The label covers exactly its bounds: black from 10,20 to 89,49, the form's red around.
  EXPECT_TRUE(HasColor(face, 10, 49, Qt::black));
  EXPECT_TRUE(HasColor(face, 89, 20, Qt::black));
  EXPECT_TRUE(HasColor(face, 9, 20, Qt::red));
  EXPECT_TRUE(HasColor(face, 90, 49, Qt::red));
  EXPECT_TRUE(HasColor(face, 10, 50, Qt::red));
  EXPECT_TRUE(AnyPixel(Grab(WidgetOf(label)), QColor(0, 255, 0)));

  label->SetBackground(kBlack, false);
  face = Grab(WidgetOf(form));
  EXPECT_TRUE(HasColor(face, 89, 49, Qt::red));
  EXPECT_TRUE(AnyPixel(face, QColor(0, 255, 0)));
}

TEST_F(QtPeerTest, LabelShowsAmpersandsAndMarkupAsTyped) {
  auto label = backend.CreateLabel(form.get(), &handler);
  label->SetText("<b>R&B</b>");
  auto* q = qobject_cast<QLabel*>(WidgetOf(label));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->textFormat(), Qt::PlainText);
  EXPECT_EQ(q->text(), QStringLiteral("<b>R&B</b>"));
  EXPECT_EQ(q->textInteractionFlags(), Qt::NoTextInteraction);
  label->SetAlignment(Alignment::Right);
  EXPECT_EQ(q->alignment(), Qt::AlignRight | Qt::AlignTop);
}

TEST_F(QtPeerTest, LabelMeasuresTextInItsOwnFont) {
  auto label = backend.CreateLabel(form.get(), &handler);
  label->SetFont(FontSpec{"ＭＳ Ｐゴシック", 12});
  int w12 = 0, h12 = 0, wEmpty = -1, hEmpty = 0;
  label->MeasureText("トラック 12", w12, h12);
  label->MeasureText("", wEmpty, hEmpty);
  EXPECT_GT(w12, 0);
  EXPECT_EQ(wEmpty, 0);
  EXPECT_EQ(hEmpty, h12);
  EXPECT_GE(h12, 12);
  label->SetFont(FontSpec{"ＭＳ Ｐゴシック", 24});
  int w24 = 0, h24 = 0, w2 = 0, h2 = 0;
  label->MeasureText("トラック 12", w24, h24);
  label->MeasureText("トラック 12\r\nA", w2, h2);
  EXPECT_GT(w24, w12 * 3 / 2);
  EXPECT_GT(h24, h12);
  EXPECT_EQ(w2, w24);
  EXPECT_GT(h2, h24 * 3 / 2);
}
