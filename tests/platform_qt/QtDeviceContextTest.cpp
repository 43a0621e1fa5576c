#include "platform/qt/QtDeviceContext.h"

#include <QFontMetrics>
#include <QPainter>
#include <functional>
#include <set>

#include "platform/gdi/Gdi.h"
#include "platform/qt/QtFonts.h"
#include "tests/platform_qt/QtPeerFixture.h"

using platform::qt::QtDeviceContext;
using platform::ui::FontSpec;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kInk = 0xFF000000;
constexpr QRgb kRedPixel = 0xFFFF0000;
constexpr QRgb kBluePixel = 0xFF0000FF;
const FontSpec kFont{"ＭＳ Ｐゴシック", 16};

// Paints on a white picture through a device context of the drawing interface.
QImage Render(int width, int height, const std::function<void(HDC)>& paint, QPoint origin = QPoint(0, 0)) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  {
    QtDeviceContext device(painter, origin);
    HDC dc = platform::gdi::CreateDeviceContext(&device, kFont);
    paint(dc);
    platform::gdi::ReleaseDeviceContext(dc);
  }
  painter.end();
  return image;
}

// Selects a new pen and brush, draws, and deletes them again.
void WithPenAndBrush(HDC dc, HGDIOBJ pen, HGDIOBJ brush, const std::function<void()>& draw) {
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  draw();
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) out.insert(image.pixel(x, y));
  return out;
}

// The smallest rectangle holding every pixel that is not white (inclusive edges).
QRect InkBounds(const QImage& image) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != kWhite) r |= QRect(x, y, 1, 1);
  return r;
}

bool AllWhite(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) != kWhite) return false;
  return true;
}

// An 8 × 8 checkerboard with period 1, black at its top-left.
platform::ui::Image Checkerboard() {
  platform::ui::Image image{8, 8, {}};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) image.pixels.push_back((x + y) % 2 == 0 ? 0xFF000000 : 0xFFFFFFFF);
  return image;
}

HBRUSH PatternBrush(const platform::ui::Image& image) {
  HBITMAP bitmap = CreateBitmapFromImage(image);
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
  return brush;
}

// ---- Shapes ------------------------------------------------------------------------------------

TEST(QtDeviceContextTest, EllipseOutlineCoversTheBoxButItsRightAndBottomEdges) {
  const QImage image = Render(80, 40, [](HDC dc) {
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 1, 0x000000), GetStockObject(HOLLOW_BRUSH),
                    [&] { Ellipse(dc, 0, 0, 66, 30); });
  });
  EXPECT_EQ(InkBounds(image), QRect(QPoint(0, 0), QPoint(65, 29)));
  EXPECT_EQ(image.pixel(0, 15), kInk);
  EXPECT_EQ(image.pixel(65, 15), kInk);
  EXPECT_EQ(image.pixel(66, 15), kWhite);
  EXPECT_EQ(image.pixel(33, 0), kInk);
  EXPECT_EQ(image.pixel(33, 29), kInk);
  EXPECT_EQ(image.pixel(33, 30), kWhite);
  EXPECT_EQ(image.pixel(0, 0), kWhite);
  EXPECT_EQ(image.pixel(33, 15), kWhite);  // a hollow brush fills nothing
  // Hard edges: no blended colour anywhere.
  EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kInk}));
}

TEST(QtDeviceContextTest, FillMeetsTheOutlineWithoutGapOrSpill) {
  const QImage image = Render(80, 40, [](HDC dc) {
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 1, 0x000000), CreateSolidBrush(0x0000FF),
                    [&] { Ellipse(dc, 0, 0, 66, 30); });
  });
  EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kInk, kRedPixel}));
  EXPECT_EQ(InkBounds(image), QRect(QPoint(0, 0), QPoint(65, 29)));
  EXPECT_EQ(image.pixel(33, 15), kRedPixel);
  // Along every row, everything between the outline's outermost pixels is outline or fill.
  for (int y = 0; y < 30; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < 80; ++x)
      if (image.pixel(x, y) == kInk) {
        if (first < 0) first = x;
        last = x;
      }
    ASSERT_GE(first, 0) << y;
    for (int x = 0; x < 80; ++x) {
      const bool between = x >= first && x <= last;
      EXPECT_EQ(image.pixel(x, y) != kWhite, between) << x << "," << y;
    }
  }
}

TEST(QtDeviceContextTest, WidePenIsCentredOnTheOutline) {
  const QImage image = Render(90, 50, [](HDC dc) {
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 3, 0xFF0000), GetStockObject(HOLLOW_BRUSH),
                    [&] { Ellipse(dc, 10, 10, 76, 40); });
  });
  // One pixel beyond the one-pixel outline on every side.
  EXPECT_EQ(InkBounds(image), QRect(QPoint(9, 9), QPoint(76, 40)));
  for (int x : {9, 10, 11, 74, 75, 76}) EXPECT_EQ(image.pixel(x, 25), kBluePixel) << x;
  for (int x : {8, 12, 73, 77}) EXPECT_EQ(image.pixel(x, 25), kWhite) << x;
  EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kBluePixel}));
}

TEST(QtDeviceContextTest, WithoutAPenTheFillStaysInsideTheBox) {
  const QImage image = Render(80, 40, [](HDC dc) {
    WithPenAndBrush(dc, GetStockObject(NULL_PEN), CreateSolidBrush(0x0000FF), [&] { Ellipse(dc, 0, 0, 66, 30); });
  });
  EXPECT_EQ(Colours(image), (std::set<QRgb>{kWhite, kRedPixel}));
  const QRect ink = InkBounds(image);
  EXPECT_TRUE(QRect(0, 0, 66, 30).contains(ink))
      << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
  EXPECT_EQ(image.pixel(33, 15), kRedPixel);
}

TEST(QtDeviceContextTest, ArcRunsCounterClockwiseFromStartToEnd) {
  auto arc = [](int xs, int ys, int xe, int ye, int width = 1) {
    return Render(80, 40, [=](HDC dc) {
      WithPenAndBrush(dc, CreatePen(PS_SOLID, width, 0x000000), GetStockObject(HOLLOW_BRUSH),
                      [&] { Arc(dc, 0, 0, 66, 30, xs, ys, xe, ye); });
    });
  };
  // From the right-hand end up to the top: the upper-right quarter only.
  QImage quarter = arc(66, 15, 33, 0);
  EXPECT_EQ(Colours(quarter), (std::set<QRgb>{kWhite, kInk}));
  const QRect ink = InkBounds(quarter);
  EXPECT_GE(ink.left(), 32);
  EXPECT_LE(ink.bottom(), 15);
  EXPECT_EQ(ink.right(), 65);
  EXPECT_EQ(ink.top(), 0);

  // The other way round: the other three quarters, and none of the first.
  QImage rest = arc(33, 0, 66, 15);
  EXPECT_EQ(InkBounds(rest), QRect(QPoint(0, 0), QPoint(65, 29)));
  EXPECT_EQ(rest.pixel(0, 15), kInk);
  EXPECT_EQ(rest.pixel(33, 29), kInk);
  EXPECT_TRUE(AllWhite(rest, QRect(50, 1, 10, 7)));  // around the upper-right 45° point
  // Together they are the ellipse's outline, pixel for pixel.
  const QImage outline = Render(80, 40, [](HDC dc) {
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 1, 0x000000), GetStockObject(HOLLOW_BRUSH),
                    [&] { Ellipse(dc, 0, 0, 66, 30); });
  });
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(outline.pixel(x, y) == kInk, quarter.pixel(x, y) == kInk || rest.pixel(x, y) == kInk) << x << "," << y;

  // A round button's lower-right half: from lower left to upper right, the points given
  // inside the ellipse so that only their direction counts.
  QImage half = arc(12, 24, 54, 6, 3);
  EXPECT_EQ(half.pixel(65, 15), kInk);               // the right-hand end
  EXPECT_EQ(half.pixel(33, 29), kInk);               // the bottom
  EXPECT_TRUE(AllWhite(half, QRect(0, 0, 20, 12)));  // upper left
  EXPECT_TRUE(AllWhite(half, QRect(25, 0, 15, 5)));  // the top
  EXPECT_TRUE(AllWhite(half, QRect(0, 12, 4, 6)));   // the left-hand end
}

TEST(QtDeviceContextTest, ArcEndsWhereTheRadialsMeetAFlatEllipse) {
  // On an ellipse five times as wide as high, the radial at 45° from the centre (50, 10)
  // meets the outline at about x = 60, not where a circle's 45° point stretched sideways
  // would lie (x = 85).
  const QImage image = Render(110, 30, [](HDC dc) {
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 1, 0x000000), GetStockObject(HOLLOW_BRUSH),
                    [&] { Arc(dc, 0, 0, 101, 21, 100, 10, 60, 0); });
  });
  const QRect ink = InkBounds(image);
  EXPECT_EQ(ink.right(), 100);
  EXPECT_GE(ink.left(), 57);
  EXPECT_LE(ink.left(), 62);
}

TEST(QtDeviceContextTest, PatternBrushTilesFromTheSurfaceCorner) {
  auto fill = [](QPoint origin) {
    return Render(
        24, 24,
        [](HDC dc) {
          HBRUSH brush = PatternBrush(Checkerboard());
          RECT r{0, 0, 16, 16};
          FillRect(dc, &r, brush);
          DeleteObject(brush);
        },
        origin);
  };
  for (QPoint origin : {QPoint(0, 0), QPoint(8, 16), QPoint(1, 0), QPoint(3, 6)}) {
    const QImage image = fill(origin);
    const int phase = (origin.x() + origin.y()) % 2;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        ASSERT_EQ(image.pixel(x, y), (x + y + phase) % 2 == 0 ? kInk : kWhite)
            << x << "," << y << " origin " << origin.x() << "," << origin.y();
    EXPECT_TRUE(AllWhite(image, QRect(16, 0, 8, 24)));
    EXPECT_TRUE(AllWhite(image, QRect(0, 16, 24, 8)));
  }

  // One marked pixel shows the tiling's period and phase in both directions.
  platform::ui::Image dot{8, 8, std::vector<std::uint32_t>(64, 0xFFFFFFFF)};
  dot.pixels[0] = 0xFF000000;
  const QImage dots = Render(
      24, 24,
      [&](HDC dc) {
        HBRUSH brush = PatternBrush(dot);
        RECT r{0, 0, 24, 24};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
      },
      QPoint(3, 5));
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      ASSERT_EQ(dots.pixel(x, y) == kInk, (x + 3) % 8 == 0 && (y + 5) % 8 == 0) << x << "," << y;

  // An ellipse's fill follows the same tiling.
  const QImage face = Render(
      40, 30,
      [](HDC dc) {
        WithPenAndBrush(dc, GetStockObject(NULL_PEN), PatternBrush(Checkerboard()), [&] { Ellipse(dc, 0, 0, 40, 30); });
      },
      QPoint(1, 0));
  for (int x = 10; x < 30; ++x) ASSERT_EQ(face.pixel(x, 15), (x + 15 + 1) % 2 == 0 ? kInk : kWhite) << x;
}

// ---- Text --------------------------------------------------------------------------------------

TEST(QtDeviceContextTest, CentredTextLiesInsideItsRectangle) {
  const RECT box{10, 10, 190, 50};
  const QImage image = Render(200, 60, [&](HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x0000FF);
    RECT r = box;
    DrawTextA(dc, "Play", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  });
  const QRect ink = InkBounds(image);
  ASSERT_FALSE(ink.isNull());
  EXPECT_TRUE(QRect(10, 10, 180, 40).contains(ink));
  const double centre = (ink.left() + ink.right() + 1) / 2.0;
  EXPECT_NEAR(centre, 100.0, 2.0);
  const double middle = (ink.top() + ink.bottom() + 1) / 2.0;
  EXPECT_NEAR(middle, 30.0, 4.0);
  EXPECT_TRUE(Colours(image).count(kRedPixel));
}

TEST(QtDeviceContextTest, TextIsClippedToTheRectangleUnlessNoClip) {
  auto draw = [](UINT format) {
    return Render(200, 40, [format](HDC dc) {
      SetBkMode(dc, TRANSPARENT);
      RECT r{20, 10, 60, 30};
      DrawTextA(dc, "A line far too wide for its box", -1, &r, format);
    });
  };
  const QImage clipped = draw(DT_LEFT);
  EXPECT_TRUE(QRect(20, 10, 40, 20).contains(InkBounds(clipped)));
  EXPECT_GT(InkBounds(draw(DT_NOCLIP)).right(), 100);
}

TEST(QtDeviceContextTest, MeasuresWithTheSubstitutedFont) {
  const QFontMetrics metrics(platform::qt::MakeQFont(kFont));
  RECT r{5, 5, 5, 5};
  SIZE size{0, 0};
  int height = 0;
  Render(10, 10, [&](HDC dc) {
    height = DrawTextA(dc, "再生 Play\nStop", -1, &r, DT_CALCRECT);
    GetTextExtentPoint32A(dc, "Stop", 4, &size);
  });
  EXPECT_EQ(r.right - r.left, metrics.horizontalAdvance(QStringLiteral("再生 Play")));
  EXPECT_EQ(height, 2 * metrics.height());
  EXPECT_EQ(r.bottom - r.top, height);
  EXPECT_EQ(size.cx, metrics.horizontalAdvance(QStringLiteral("Stop")));
  EXPECT_EQ(size.cy, metrics.height());
}

TEST(QtDeviceContextTest, AcceleratorIsUnderlinedBelowTheBaseline) {
  const QFontMetrics metrics(platform::qt::MakeQFont(kFont));
  const QImage image = Render(120, 40, [](HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x0000FF);
    RECT r{10, 5, 110, 35};
    DrawTextA(dc, "&Play", -1, &r, DT_LEFT);
  });
  const int row = 5 + metrics.ascent() + 1;
  const int width = metrics.horizontalAdvance(QLatin1Char('P'));
  for (int x = 10; x < 10 + width; ++x) EXPECT_EQ(image.pixel(x, row), kRedPixel) << x;
  EXPECT_NE(image.pixel(10 + width + 1, row), kRedPixel);
}

// ---- On a custom control -------------------------------------------------------------------------

class PaintingHandler : public platform::ui::PeerHandler {
 public:
  std::function<void(HDC)> paint;
  void PeerPaint(HDC canvas) override {
    if (paint) paint(canvas);
  }
};

TEST_F(QtPeerTest, CustomControlPaintsThroughADeviceContextAlignedToItsWindow) {
  ShowForm(100, 60);
  PaintingHandler painter;
  auto custom = backend.CreateCustom(form.get(), &painter);
  custom->SetBounds(5, 7, 40, 20);
  const FontSpec font{"ＭＳ Ｐゴシック", 30};
  custom->SetFont(font);
  LONG measured = 0;
  painter.paint = [&](HDC dc) {
    HBRUSH brush = PatternBrush(Checkerboard());
    RECT r{0, 0, 40, 20};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, "Play", 4, &size);
    measured = size.cx;
  };
  custom->SetVisible(true);
  const QImage face = Grab(WidgetOf(form));
  QWidget* window = WidgetOf(form)->window();
  const QPoint corner = WidgetOf(custom)->mapTo(window, QPoint(0, 0));
  const QPoint grabbed = WidgetOf(form)->mapTo(window, QPoint(0, 0));
  // The checkerboard's phase belongs to the window, not to the control.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const QPoint w = corner + QPoint(x, y);
      const QPoint p = w - grabbed;
      ASSERT_EQ(face.pixel(p), (w.x() + w.y()) % 2 == 0 ? kInk : kWhite) << x << "," << y;
    }
  // The device context starts with the control's font.
  EXPECT_EQ(measured, QFontMetrics(platform::qt::MakeQFont(font)).horizontalAdvance(QStringLiteral("Play")));
  custom.reset();
}

}  // namespace
