// The drawing interface's device on the system's GDI, as the drawn controls paint through
// it: shapes filled and outlined in the colours asked for, clipping, text measured as drawn.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/win32/Win32DeviceContext.h"

using namespace platform;
using platform::win32::Win32DeviceContext;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kGrey = 0x808080;

class Win32DeviceContextTest : public ::testing::Test {
 protected:
  Win32DeviceContextTest() {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 100, 60);
    ReleaseDC(nullptr, screen);
    old = (::SelectObject)(dc, bitmap);
    device = Win32DeviceContext(dc, POINT{0, 0});
    Fill(kWhite, RECT{0, 0, 100, 60});
  }
  ~Win32DeviceContextTest() override {
    (::SelectObject)(dc, old);
    (::DeleteObject)(bitmap);
    DeleteDC(dc);
  }
  void Fill(COLORREF color, RECT r) {
    gdi::BrushSpec b;
    b.color = color;
    device.FillRect(b, r);
  }
  COLORREF At(int x, int y) const { return (::GetPixel)(dc, x, y) & 0xFFFFFF; }

  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  Win32DeviceContext device{nullptr, POINT{0, 0}};
};

TEST_F(Win32DeviceContextTest, EllipseFillsInsideOutlinesAndLeavesTheCornersAlone) {
  gdi::BrushSpec brush;
  brush.color = kRed;
  device.Ellipse(gdi::PenSpec{PS_SOLID, 3, kBlue}, brush, 0, 0, 100, 60);
  EXPECT_EQ(At(50, 30), kRed);
  EXPECT_EQ(At(1, 30), kBlue) << "the outline on the left edge";
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(99, 59), kWhite);

  // A hollow brush leaves the inside as it was.
  Fill(kWhite, RECT{0, 0, 100, 60});
  brush.kind = gdi::BrushKind::Hollow;
  device.Ellipse(gdi::PenSpec{PS_SOLID, 1, kBlue}, brush, 0, 0, 100, 60);
  EXPECT_EQ(At(50, 30), kWhite);
}

TEST_F(Win32DeviceContextTest, ClippingRestrictsDrawingUntilReset) {
  device.SetClip(RECT{0, 0, 50, 60});
  Fill(kGrey, RECT{0, 0, 100, 60});
  EXPECT_EQ(At(10, 10), kGrey);
  EXPECT_EQ(At(80, 10), kWhite);
  device.ResetClip();
  Fill(kGrey, RECT{0, 0, 100, 60});
  EXPECT_EQ(At(80, 10), kGrey);
}

TEST_F(Win32DeviceContextTest, TextIsMeasuredAsItIsDrawn) {
  const ui::FontSpec font{"Arial", 16};
  int width = 0, height = 0;
  device.MeasureText(font, "MM", width, height);
  int oneWidth = 0;
  device.MeasureText(font, "M", oneWidth, height);
  EXPECT_GT(oneWidth, 0);
  EXPECT_EQ(width, 2 * oneWidth);
  EXPECT_GT(height, 0);
  const int ascent = device.Ascent(font);
  EXPECT_GT(ascent, 0);
  EXPECT_LT(ascent, height);

  device.TextOut(font, 0x000000, 10, 10, "MM");
  int inked = 0, outside = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool in = x >= 10 && x < 10 + width && y >= 10 && y < 10 + height;
      if (At(x, y) != kWhite) (in ? inked : outside)++;
    }
  EXPECT_GT(inked, 0);
  EXPECT_EQ(outside, 0) << "nothing drawn beyond the measured box";
}

}  // namespace
