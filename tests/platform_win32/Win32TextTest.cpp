// The drawing layer's A text functions on the system's device contexts: our texts are
// UTF-8, which the system's own A functions would show as other characters, so they are
// drawn and measured as the UTF-16 text they stand for.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Gdi.h"

namespace {

class Win32TextTest : public ::testing::Test {
 protected:
  Win32TextTest() {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 200, 40);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    oldFont = SelectObject(dc, font);
    const RECT all{0, 0, 200, 40};
    // The system's own white: the drawing layer's stock objects are for its device contexts.
    FillRect(dc, &all, static_cast<HBRUSH>((::GetStockObject)(WHITE_BRUSH)));
  }
  ~Win32TextTest() override {
    SelectObject(dc, oldFont);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  int InkedPixels() const {
    int n = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x) n += (::GetPixel)(dc, x, y) != RGB(255, 255, 255);
    return n;
  }

  HDC dc;
  HBITMAP bitmap;
  HFONT font;
  HGDIOBJ old, oldFont;
};

TEST_F(Win32TextTest, MeasuredAsTheCharactersTheUtf8StandsFor) {
  const std::string utf8 = "CD é";  // 5 bytes, 4 characters
  SIZE a{}, w{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc, utf8.c_str(), static_cast<int>(utf8.size()), &a));
  ASSERT_TRUE(GetTextExtentPoint32W(dc, L"CD é", 4, &w));
  EXPECT_EQ(a.cx, w.cx);
  EXPECT_EQ(a.cy, w.cy);

  RECT calcA{0, 0, 0, 0}, calcW{0, 0, 0, 0};
  DrawTextA(dc, utf8.c_str(), -1, &calcA, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  DrawTextW(dc, L"CD é", -1, &calcW, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(calcA.right, calcW.right);
}

TEST_F(Win32TextTest, DrawnOnTheSystemsDeviceContext) {
  EXPECT_EQ(InkedPixels(), 0);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  ASSERT_TRUE(TextOutA(dc, 2, 2, "Abc", 3));
  const int inked = InkedPixels();
  EXPECT_GT(inked, 0);
  RECT r{0, 20, 200, 40};
  DrawTextA(dc, "Abc", -1, &r, DT_SINGLELINE);
  EXPECT_GT(InkedPixels(), inked);
}

}  // namespace
