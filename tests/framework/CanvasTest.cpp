#include "framework/Canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/RecordingCanvas.h"

using Kind = CanvasCall::Kind;

namespace {

// An 8 × 8 checkerboard with period 1 as a 24-bit bitmap file, black at its top-left.
std::string CheckerboardBmp() {
  std::string s;
  auto u16 = [&](unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
  };
  auto u32 = [&](std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  s += "BM";
  u32(54 + 8 * 8 * 3);
  u32(0);
  u32(54);
  u32(40);
  u32(8);
  u32(8);
  u16(1);
  u16(24);
  for (int i = 0; i < 6; ++i) u32(0);
  for (int row = 7; row >= 0; --row)  // bottom-up
    for (int x = 0; x < 8; ++x) s.append(3, (x + row) % 2 == 0 ? '\0' : '\xFF');
  return s;
}

// The object of probe's kind a device context holds, found by swapping probe in and back.
HGDIOBJ SelectedLike(HDC dc, HGDIOBJ probe) {
  HGDIOBJ h = SelectObject(dc, probe);
  SelectObject(dc, h);
  return h;
}

HGDIOBJ Selected(HDC dc, int stockOfKind) { return SelectedLike(dc, GetStockObject(stockOfKind)); }

class CanvasTest : public ::testing::Test {
 protected:
  RecordingCanvas device;
  RecordingDc dc{device, platform::ui::FontSpec{"Arial", 10}};
  TCanvas canvas;

  CanvasTest() { canvas.SetHandle(dc); }
};

TEST_F(CanvasTest, SelectsPenAndBrushBeforeEachShape) {
  canvas.Ellipse(0, 0, 66, 30);
  canvas.Pen()->SetColor(clBtnShadow);  // system colours reach the device resolved
  canvas.Pen()->SetWidth(3);
  canvas.Brush()->SetStyle(bsClear);
  canvas.Arc(2, 2, 64, 28, 12, 22, 50, 7);
  canvas.Ellipse(1, 1, 5, 5);
  canvas.Pen()->SetStyle(psClear);
  canvas.Brush()->SetColor(clBtnFace);  // a colour makes a clear brush solid again
  canvas.Ellipse(1, 1, 5, 5);
  canvas.FillRect(RECT{0, 0, 4, 4});
  EXPECT_EQ(device.Descriptions(), (std::vector<std::string>{
                                       "Ellipse 0,0,66,30 pen solid 1 #000000 brush solid #FFFFFF",
                                       "Arc 2,2,64,28 from 12,22 to 50,7 pen solid 3 #808080",
                                       "Ellipse 1,1,5,5 pen solid 3 #808080 brush hollow",
                                       "Ellipse 1,1,5,5 pen none brush solid #C0C0C0",
                                       "FillRect 0,0,4,4 brush solid #C0C0C0",
                                   }));
}

TEST_F(CanvasTest, ChangingAPropertyMakesANewObjectAndDeletesTheOld) {
  canvas.Ellipse(0, 0, 10, 10);
  HGDIOBJ pen = Selected(dc, BLACK_PEN);
  HGDIOBJ brush = Selected(dc, WHITE_BRUSH);
  ASSERT_NE(pen, GetStockObject(BLACK_PEN));

  // Nothing changed (or a value set to what it was): the same objects stay.
  canvas.Pen()->SetColor(clBlack);
  canvas.Ellipse(0, 0, 10, 10);
  EXPECT_EQ(Selected(dc, BLACK_PEN), pen);

  canvas.Pen()->SetColor(clRed);
  canvas.Pen()->SetWidth(2);  // two changes, one new pen
  canvas.Ellipse(0, 0, 10, 10);
  HGDIOBJ red = Selected(dc, BLACK_PEN);
  EXPECT_NE(red, pen);
  EXPECT_FALSE(DeleteObject(pen));  // already deleted by the canvas
  EXPECT_EQ(Selected(dc, WHITE_BRUSH), brush);
  EXPECT_EQ(device.calls.back().Describe(), "Ellipse 0,0,10,10 pen solid 2 #FF0000 brush solid #FFFFFF");

  // A change waits for the next call that needs it.
  canvas.Brush()->SetColor(clLime);
  EXPECT_EQ(Selected(dc, WHITE_BRUSH), brush);
  canvas.Arc(0, 0, 10, 10, 0, 0, 0, 0);
  canvas.FillRect(RECT{0, 0, 1, 1});
  EXPECT_NE(Selected(dc, WHITE_BRUSH), brush);
  EXPECT_EQ(device.calls.back().Describe(), "FillRect 0,0,1,1 brush solid #00FF00");
}

TEST_F(CanvasTest, PatternBrushFromABitmap) {
  TBitmap checker;
  ASSERT_TRUE(checker.LoadFromBytes(CheckerboardBmp()));
  canvas.Brush()->SetColor(clRed);
  canvas.Brush()->SetBitmap(&checker);
  // A bitmap returns the brush to white and solid, as the classic canvas does.
  EXPECT_EQ(canvas.Brush()->Color(), clWhite);
  EXPECT_EQ(canvas.Brush()->Style(), bsSolid);
  canvas.Ellipse(0, 0, 66, 30);
  ASSERT_EQ(device.calls.size(), 1u);
  const platform::gdi::BrushSpec& b = device.calls[0].brush;
  EXPECT_EQ(b.kind, platform::gdi::BrushKind::Pattern);
  ASSERT_TRUE(b.pattern);
  EXPECT_EQ(b.pattern->pixels, checker.Image().pixels);

  // A clear style drops the bitmap; so does setting none.
  canvas.Brush()->SetStyle(bsClear);
  EXPECT_EQ(canvas.Brush()->Bitmap(), nullptr);
  canvas.Ellipse(0, 0, 66, 30);
  canvas.Brush()->SetBitmap(&checker);
  canvas.Brush()->SetBitmap(nullptr);
  canvas.Ellipse(0, 0, 66, 30);
  EXPECT_EQ(device.Descriptions()[1], "Ellipse 0,0,66,30 pen solid 1 #000000 brush hollow");
  EXPECT_EQ(device.Descriptions()[2], "Ellipse 0,0,66,30 pen solid 1 #000000 brush solid #FFFFFF");

  // An empty bitmap paints as the plain brush would.
  TBitmap empty;
  canvas.Brush()->SetBitmap(&empty);
  canvas.FillRect(RECT{0, 0, 2, 2});
  EXPECT_EQ(device.calls.back().Describe(), "FillRect 0,0,2,2 brush solid #FFFFFF");
}

TEST_F(CanvasTest, HandleReadiesFontTextColourAndBackgroundForDirectCalls) {
  canvas.Font()->SetName("Tahoma");
  canvas.Font()->SetHeight(14);
  canvas.Font()->SetColor(clRed);
  canvas.Brush()->SetColor(clYellow);
  RECT r{0, 0, 100, 20};
  DrawTextA(canvas.Handle(), "Go", -1, &r, DT_NOCLIP);
  EXPECT_EQ(device.Descriptions(), (std::vector<std::string>{
                                       "FillRect 0,0,12,14 brush solid #FFFF00",
                                       "TextOut 0,0 \"Go\" #FF0000 font Tahoma 14",
                                   }));
  // A clear brush leaves the background alone; a new font colour reaches the text.
  device.Clear();
  canvas.Brush()->SetStyle(bsClear);
  canvas.Font()->SetColor(clBtnShadow);
  DrawTextA(canvas.Handle(), "Go", -1, &r, DT_NOCLIP);
  EXPECT_EQ(device.Descriptions(), (std::vector<std::string>{"TextOut 0,0 \"Go\" #808080 font Tahoma 14"}));

  device.Clear();
  canvas.TextOut(3, 4, "Hi");
  EXPECT_EQ(device.Descriptions(), (std::vector<std::string>{"TextOut 3,4 \"Hi\" #808080 font Tahoma 14"}));
  EXPECT_EQ(canvas.TextWidth("再生"), 24);
  EXPECT_EQ(canvas.TextHeight("x"), 14);
}

TEST_F(CanvasTest, UnbindingPutsTheDeviceContextsOwnObjectsBack) {
  // The device context's own font, found by swapping another in and back.
  HFONT probe = CreateFontFromSpec({});
  HGDIOBJ font = SelectedLike(dc, probe);
  canvas.Handle();
  EXPECT_NE(SelectedLike(dc, probe), font);
  HGDIOBJ pen = Selected(dc, BLACK_PEN);
  EXPECT_NE(pen, GetStockObject(BLACK_PEN));
  canvas.SetHandle(nullptr);
  EXPECT_EQ(Selected(dc, BLACK_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(Selected(dc, WHITE_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectedLike(dc, probe), font);
  EXPECT_TRUE(DeleteObject(probe));

  // Unbound, the canvas draws nothing and has no handle.
  EXPECT_EQ(canvas.Handle(), nullptr);
  device.Clear();
  canvas.Ellipse(0, 0, 5, 5);
  canvas.TextOut(0, 0, "x");
  EXPECT_TRUE(device.calls.empty());

  // Bound to another device context, it selects its objects there.
  RecordingCanvas other;
  RecordingDc otherDc(other);
  canvas.SetHandle(otherDc);
  canvas.Ellipse(0, 0, 5, 5);
  EXPECT_EQ(Selected(otherDc, BLACK_PEN), pen);
  EXPECT_EQ(other.calls.size(), 1u);
  canvas.SetHandle(nullptr);
}

TEST(CanvasLifetimeTest, DestroyingTheCanvasDeletesItsObjects) {
  RecordingCanvas device;
  RecordingDc dc(device);
  HGDIOBJ pen = nullptr;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Ellipse(0, 0, 4, 4);
    pen = Selected(dc, BLACK_PEN);
  }
  // The canvas went while bound: the device context has its own pen back, and the canvas's
  // is gone.
  EXPECT_EQ(Selected(dc, BLACK_PEN), GetStockObject(BLACK_PEN));
  EXPECT_FALSE(DeleteObject(pen));
}

}  // namespace
