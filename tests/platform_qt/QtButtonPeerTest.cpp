#include <QTest>

#include "tests/platform_qt/QtPeerFixture.h"

using namespace platform::ui;

namespace {

// Two 8 × 8 pictures side by side on a magenta background (the bottom-left pixel): a blue
// square for the normal look and a green one for the disabled look.
Image TwoGlyphs() {
  Image img{16, 8, std::vector<std::uint32_t>(16 * 8, 0xFFFF00FF)};
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) {
      img.pixels[static_cast<std::size_t>(y * 16 + x)] = 0xFF0000FF;
      img.pixels[static_cast<std::size_t>(y * 16 + x + 8)] = 0xFF00FF00;
    }
  return img;
}

int Count(const QImage& image, QColor c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y).rgb() == c.rgb();
  return n;
}

}  // namespace

TEST_F(QtPeerTest, GlyphBackgroundIsTransparentAndTheDisabledPictureShowsWhenDisabled) {
  ShowForm();
  auto button = backend.CreateButton(form.get(), &handler);
  button->SetBounds(10, 10, 60, 30);
  button->SetGlyph(TwoGlyphs(), 2);
  QImage image = Grab(WidgetOf(button));
  EXPECT_EQ(Count(image, QColor(255, 0, 255)), 0);
  EXPECT_EQ(Count(image, QColor(0, 0, 255)), 16);
  EXPECT_EQ(Count(image, QColor(0, 255, 0)), 0);

  button->SetEnabled(false);
  image = Grab(WidgetOf(button));
  EXPECT_EQ(Count(image, QColor(255, 0, 255)), 0);
  EXPECT_EQ(Count(image, QColor(0, 0, 255)), 0);
  EXPECT_EQ(Count(image, QColor(0, 255, 0)), 16);
}

TEST_F(QtPeerTest, GlyphLayoutPlacesThePictureAtTheMargin) {
  ShowForm();
  auto button = backend.CreateButton(form.get(), &handler);
  button->SetBounds(0, 0, 80, 60);
  button->SetGlyph(TwoGlyphs(), 2);
  button->SetText("再生");
  auto blueTop = [&] {
    const QImage image = Grab(WidgetOf(button));
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y).rgb() == QColor(0, 0, 255).rgb()) return QPoint(x, y);
    return QPoint(-1, -1);
  };
  button->SetLayout(GlyphLayout::Top, 4, 2);
  const QPoint top = blueTop();
  button->SetLayout(GlyphLayout::Bottom, 4, 2);
  const QPoint bottom = blueTop();
  button->SetLayout(GlyphLayout::Left, 4, 2);
  const QPoint left = blueTop();
  ASSERT_GE(top.y(), 0);
  // The picture sits 4 pixels inside the face's edge on the side the layout names, and
  // centred across: the same column above and below, the same row on the left.
  EXPECT_EQ(top.x(), bottom.x());
  EXPECT_GT(bottom.y(), top.y() + 20);
  EXPECT_LT(left.x(), top.x() - 20);
  EXPECT_GT(left.y(), top.y() + 10);
}

TEST_F(QtPeerTest, ButtonReportsClicksAndTakesNoFocusWhenNotFocusable) {
  ShowForm();
  auto button = backend.CreateButton(form.get(), &handler);
  button->SetBounds(10, 10, 60, 24);
  QTest::mouseClick(WidgetOf(button), Qt::LeftButton);
  EXPECT_EQ(handler.calls, std::vector<std::string>{"Click"});
  EXPECT_EQ(WidgetOf(button)->focusPolicy(), Qt::StrongFocus);
  button->SetTabStop(false);
  EXPECT_EQ(WidgetOf(button)->focusPolicy(), Qt::ClickFocus);
  button->SetFocusable(false);
  EXPECT_EQ(WidgetOf(button)->focusPolicy(), Qt::NoFocus);
}
