#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/SysColors.h"
#include "tests/support/RecordingCanvas.h"

using Kind = CanvasCall::Kind;
using platform::gdi::BrushKind;
using platform::ui::FontSpec;

namespace {

// Line height 12, ascent 9 on the recording canvas; every ASCII character 6 wide.
const FontSpec kFont{"ＭＳ Ｐゴシック", 12};

class GdiTest : public ::testing::Test {
 protected:
  RecordingCanvas canvas;
  RecordingDc dc{canvas, kFont};

  // Draws text with a transparent background, so only the text's own calls are recorded.
  int Draw(const std::string& text, RECT r, UINT format) {
    SetBkMode(dc, TRANSPARENT);
    canvas.Clear();
    return DrawTextA(dc, text.c_str(), -1, &r, format);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const CanvasCall& c : canvas.Of(Kind::TextOut)) out.push_back(c.text);
    return out;
  }
};

// ---- Objects and selection ------------------------------------------------------------------

TEST_F(GdiTest, SelectObjectReturnsWhatWasSelectedOfTheSameKind) {
  HPEN red = CreatePen(PS_SOLID, 3, 0x0000FF);
  HBRUSH grey = CreateSolidBrush(0xC0C0C0);
  HFONT bold = CreateFontFromSpec(FontSpec{"Arial", 20, true});

  // A new device context holds the black pen and the white brush.
  EXPECT_EQ(SelectObject(dc, red), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, grey), GetStockObject(WHITE_BRUSH));
  HGDIOBJ initial = SelectObject(dc, bold);
  ASSERT_NE(initial, nullptr);
  Ellipse(dc, 0, 0, 10, 10);
  RECT r{0, 0, 100, 30};
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, "A", -1, &r, DT_NOCLIP);
  EXPECT_EQ(canvas.Describe(),
            "Ellipse 0,0,10,10 pen solid 3 #FF0000 brush solid #C0C0C0\n"
            "TextOut 0,0 \"A\" #000000 font Arial 20 bold\n");

  // Selecting another kind leaves the others alone; selecting back returns the new ones.
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), red);
  EXPECT_EQ(SelectObject(dc, initial), bold);
  EXPECT_EQ(SelectObject(dc, GetStockObject(HOLLOW_BRUSH)), grey);
  canvas.Clear();
  Ellipse(dc, 0, 0, 10, 10);
  DrawTextA(dc, "A", -1, &r, DT_NOCLIP);
  EXPECT_EQ(canvas.Describe(),
            "Ellipse 0,0,10,10 pen none brush hollow\n"
            "TextOut 0,0 \"A\" #000000 font ＭＳ Ｐゴシック 12\n");
  for (HGDIOBJ h : {HGDIOBJ(red), HGDIOBJ(grey), HGDIOBJ(bold)}) EXPECT_TRUE(DeleteObject(h));
}

TEST_F(GdiTest, SelectObjectRefusesRegionsBitmapsAndUnknownHandles) {
  HRGN region = CreateEllipticRgn(0, 0, 10, 10);
  HBITMAP bitmap = CreateBitmapFromImage(platform::ui::Image{1, 1, {0xFF000000}});
  EXPECT_EQ(SelectObject(dc, region), nullptr);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
  EXPECT_EQ(SelectObject(nullptr, GetStockObject(NULL_PEN)), nullptr);
  // Nothing changed: the black pen is still in.
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), GetStockObject(BLACK_PEN));
  EXPECT_TRUE(DeleteObject(region));
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(GdiTest, StockObjectsAreDistinctFixedAndUndeletable) {
  EXPECT_EQ(GetStockObject(NULL_BRUSH), GetStockObject(HOLLOW_BRUSH));
  EXPECT_EQ(GetStockObject(BLACK_PEN), GetStockObject(BLACK_PEN));
  EXPECT_NE(GetStockObject(WHITE_BRUSH), GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(NULL_PEN + 1), nullptr);
  for (int i = WHITE_BRUSH; i <= NULL_PEN; ++i) EXPECT_FALSE(DeleteObject(GetStockObject(i))) << i;

  // The hollow brush fills nothing: a FillRect with it draws nothing at all.
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH))), 1);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SelectObject(dc, GetStockObject(WHITE_PEN));
  SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
  Ellipse(dc, 0, 0, 10, 10);
  EXPECT_EQ(canvas.Describe(),
            "FillRect 0,0,10,10 brush solid #808080\n"
            "Ellipse 0,0,10,10 pen solid 1 #FFFFFF brush hollow\n");
}

TEST_F(GdiTest, DeleteObjectFailsForUnknownAndSelectedObjects) {
  HPEN pen = CreatePen(PS_SOLID, 1, 0x123456);
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0xDEAD0)));
  SelectObject(dc, pen);
  EXPECT_FALSE(DeleteObject(pen));  // still in the device context
  SelectObject(dc, GetStockObject(BLACK_PEN));
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));  // gone: a second delete finds nothing
  EXPECT_EQ(SelectObject(dc, pen), nullptr);
  EXPECT_EQ(CreatePen(3, 1, 0), nullptr);  // a style the platform does not draw
}

TEST_F(GdiTest, PatternBrushKeepsItsPixelsAfterTheBitmapIsDeleted) {
  platform::ui::Image checker{2, 2, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}};
  HBITMAP bitmap = CreateBitmapFromImage(checker);
  HBRUSH brush = CreatePatternBrush(bitmap);
  ASSERT_NE(brush, nullptr);
  EXPECT_TRUE(DeleteObject(bitmap));
  RECT r{0, 0, 4, 4};
  FillRect(dc, &r, brush);
  ASSERT_EQ(canvas.calls.size(), 1u);
  const auto& b = canvas.calls[0].brush;
  EXPECT_EQ(b.kind, BrushKind::Pattern);
  ASSERT_TRUE(b.pattern);
  EXPECT_EQ(b.pattern->pixels, checker.pixels);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
  EXPECT_EQ(CreatePatternBrush(static_cast<HBITMAP>(GetStockObject(BLACK_PEN))), nullptr);
  EXPECT_EQ(CreateBitmapFromImage(platform::ui::Image{}), nullptr);
}

TEST_F(GdiTest, ReleasedDeviceContextNoLongerHoldsItsObjects) {
  RecordingCanvas other;
  HDC hdc = platform::gdi::CreateDeviceContext(&other, kFont);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  SelectObject(hdc, pen);
  platform::gdi::ReleaseDeviceContext(hdc);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(Ellipse(hdc, 0, 0, 5, 5));
  EXPECT_TRUE(other.calls.empty());
}

TEST_F(GdiTest, AttributeSettersReturnThePreviousValue) {
  EXPECT_EQ(SetTextColor(dc, 0x0000FF), 0x000000u);
  EXPECT_EQ(SetTextColor(dc, 0x00FF00), 0x0000FFu);
  EXPECT_EQ(SetBkColor(dc, 0x808080), 0xFFFFFFu);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);  // no such mode: refused and unchanged
  EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
  EXPECT_EQ(SetBkColor(nullptr, 0), CLR_INVALID);
  EXPECT_EQ(SetBkMode(nullptr, OPAQUE), 0);
}

// ---- Shapes ------------------------------------------------------------------------------------

TEST_F(GdiTest, ShapesGoToTheDeviceWithTheSelectedPenAndBrush) {
  HPEN shadow = CreatePen(PS_SOLID, 3, 0x808080);
  HBRUSH face = CreateSolidBrush(0xC0C0C0);
  SelectObject(dc, shadow);
  SelectObject(dc, face);
  EXPECT_TRUE(Ellipse(dc, 66, 30, 0, 0));  // corners in any order
  EXPECT_TRUE(Arc(dc, 2, 2, 64, 28, 12, 22, 50, 7));
  RECT r{1, 2, 3, 4};
  EXPECT_EQ(FillRect(dc, &r, face), 1);
  EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)), 1);
  RECT empty{5, 5, 5, 9}, insideOut{5, 5, 2, 9};
  FillRect(dc, &empty, face);
  FillRect(dc, &insideOut, face);
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "Ellipse 0,0,66,30 pen solid 3 #808080 brush solid #C0C0C0",
                                       "Arc 2,2,64,28 from 12,22 to 50,7 pen solid 3 #808080",
                                       "FillRect 1,2,3,4 brush solid #C0C0C0",
                                       "FillRect 1,2,3,4 brush solid #808080",
                                   }));
  EXPECT_FALSE(Ellipse(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(Arc(nullptr, 0, 0, 1, 1, 0, 0, 0, 0));
  EXPECT_EQ(FillRect(dc, nullptr, face), 0);
  EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(shadow)), 0);  // a pen is no brush
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(shadow);
  DeleteObject(face);
}

TEST_F(GdiTest, TextOutPaintsTheBackgroundOnlyWhenOpaque) {
  SetTextColor(dc, 0x0000FF);
  SetBkColor(dc, 0x00FFFF);
  EXPECT_TRUE(TextOutA(dc, 5, 6, "Stop&", 5));
  SetBkMode(dc, TRANSPARENT);
  EXPECT_TRUE(TextOutA(dc, 5, 6, "Stop", 2));
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "FillRect 5,6,35,18 brush solid #FFFF00",
                                       "TextOut 5,6 \"Stop&\" #FF0000 font ＭＳ Ｐゴシック 12",
                                       "TextOut 5,6 \"St\" #FF0000 font ＭＳ Ｐゴシック 12",
                                   }));
  SIZE size{0, 0};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, "再生 1", 8, &size));
  EXPECT_EQ(size.cx, 12 + 12 + 6 + 6);
  EXPECT_EQ(size.cy, 12);
  EXPECT_FALSE(GetTextExtentPoint32A(dc, "x", 1, nullptr));
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
}

// ---- DrawTextA ---------------------------------------------------------------------------------

TEST_F(GdiTest, DrawTextAlignsEachLineAndClipsToTheRectangle) {
  struct Case {
    UINT format;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {DT_LEFT,
       {"SetClip 10,20,110,60", "TextOut 10,20 \"Play\" #000000 font ＭＳ Ｐゴシック 12",
        "TextOut 10,32 \"Stop it\" #000000 font ＭＳ Ｐゴシック 12", "ResetClip"}},
      // (100 - 24) / 2 = 38 and (100 - 42) / 2 = 29 from the left edge.
      {DT_CENTER,
       {"SetClip 10,20,110,60", "TextOut 48,20 \"Play\" #000000 font ＭＳ Ｐゴシック 12",
        "TextOut 39,32 \"Stop it\" #000000 font ＭＳ Ｐゴシック 12", "ResetClip"}},
      {DT_RIGHT | DT_NOCLIP,
       {"TextOut 86,20 \"Play\" #000000 font ＭＳ Ｐゴシック 12",
        "TextOut 68,32 \"Stop it\" #000000 font ＭＳ Ｐゴシック 12"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Draw("Play\nStop it", RECT{10, 20, 110, 60}, c.format), 24) << c.format;
    EXPECT_EQ(canvas.Descriptions(), c.expected) << c.format;
  }
}

TEST_F(GdiTest, DrawTextSplitsLinesAtEveryKindOfBreak) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"one", {"one"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\rc", {"a", "b", "c"}},
      {"a\n\nb", {"a", "b"}},  // the empty middle line still takes its height
      {"a\n", {"a"}},          // a final break starts no line
  };
  const std::vector<int> heights = {0, 12, 24, 36, 36, 12};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(Draw(cases[i].text, RECT{0, 0, 50, 50}, DT_LEFT), heights[i]) << cases[i].text;
    EXPECT_EQ(Texts(), cases[i].lines) << cases[i].text;
  }
  // "a\n\nb" puts b on the third line.
  Draw("a\n\nb", RECT{0, 0, 50, 50}, DT_LEFT);
  EXPECT_EQ(canvas.Of(Kind::TextOut).back().rect.top, 24);

  // A single line ignores breaks; an empty one is still one line high.
  EXPECT_EQ(Draw("a\nb", RECT{0, 0, 50, 50}, DT_SINGLELINE), 12);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a\nb"}));
  EXPECT_EQ(Draw("", RECT{0, 0, 50, 50}, DT_SINGLELINE), 12);
}

TEST_F(GdiTest, DrawTextPlacesASingleLineVertically) {
  struct Case {
    UINT format;
    int top;
    int result;
  };
  // A 12-pixel line in a 30-pixel rectangle at 10; the result counts from the rectangle's top.
  const std::vector<Case> cases = {
      {DT_SINGLELINE, 10, 12}, {DT_SINGLELINE | DT_VCENTER, 19, 21}, {DT_SINGLELINE | DT_BOTTOM, 28, 30},
      {DT_VCENTER, 10, 12},  // only single lines are placed vertically
      {DT_BOTTOM, 10, 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Draw("Play", RECT{0, 10, 100, 40}, c.format), c.result) << c.format;
    ASSERT_EQ(canvas.Of(Kind::TextOut).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::TextOut)[0].rect.top, c.top) << c.format;
  }
}

TEST_F(GdiTest, CalcRectMeasuresWithoutDrawing) {
  struct Case {
    std::string text;
    UINT format;
    RECT expected;
  };
  const std::vector<Case> cases = {
      {"Play", DT_CENTER, RECT{10, 20, 34, 32}},  // the left edge stays where it was
      {"Play\nStop it", DT_LEFT, RECT{10, 20, 52, 44}},
      {"再生\nab", DT_RIGHT, RECT{10, 20, 34, 44}},
      {"&Play && go", DT_LEFT, RECT{10, 20, 64, 32}},  // "Play & go": the prefixes take no room
      {"&Play", DT_NOPREFIX, RECT{10, 20, 40, 32}},
      {"a\tb", DT_EXPANDTABS, RECT{10, 20, 64, 32}},
      {"", DT_LEFT, RECT{10, 20, 10, 20}},
  };
  for (const Case& c : cases) {
    canvas.Clear();
    RECT r{10, 20, 200, 300};
    const int h = DrawTextA(dc, c.text.c_str(), -1, &r, c.format | DT_CALCRECT);
    EXPECT_TRUE(canvas.calls.empty()) << canvas.Describe();
    EXPECT_EQ(h, c.expected.bottom - c.expected.top) << c.text;
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
        << c.text;
  }
}

TEST_F(GdiTest, AmpersandUnderlinesTheNextCharacter) {
  SetTextColor(dc, 0x0000FF);
  // The underline runs under the marked character, one pixel below the baseline (9).
  Draw("P&lay", RECT{10, 20, 110, 40}, DT_NOCLIP);
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "TextOut 10,20 \"Play\" #FF0000 font ＭＳ Ｐゴシック 12",
                                       "FillRect 16,30,22,31 brush solid #FF0000",
                                   }));
  // A character of several bytes is marked whole.
  Draw("&再生", RECT{0, 0, 100, 20}, DT_NOCLIP | DT_CENTER);
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "TextOut 38,0 \"再生\" #FF0000 font ＭＳ Ｐゴシック 12",
                                       "FillRect 38,10,50,11 brush solid #FF0000",
                                   }));

  struct Case {
    std::string text;
    UINT format;
    std::string shown;
    int underlines;
  };
  const std::vector<Case> cases = {
      {"A&&B", 0, "A&B", 0}, {"&&&A", 0, "&A", 1},         {"A&", 0, "A", 0},
      {"&A&B", 0, "AB", 2},  {"&A", DT_NOPREFIX, "&A", 0}, {"&&", DT_NOPREFIX, "&&", 0},
  };
  for (const Case& c : cases) {
    Draw(c.text, RECT{0, 0, 100, 20}, c.format | DT_NOCLIP);
    EXPECT_EQ(Texts(), std::vector<std::string>{c.shown}) << c.text;
    EXPECT_EQ(canvas.Of(Kind::FillRect).size(), static_cast<std::size_t>(c.underlines)) << c.text;
  }
}

TEST_F(GdiTest, TabsExpandToStopsOfEightCharactersWhenAsked) {
  // Stops every 8 × 6 = 48 pixels from the line's start; text at a stop moves to the next.
  Draw("a\tb\t&c", RECT{10, 0, 300, 20}, DT_EXPANDTABS | DT_NOCLIP);
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "TextOut 10,0 \"a\" #000000 font ＭＳ Ｐゴシック 12",
                                       "TextOut 58,0 \"b\" #000000 font ＭＳ Ｐゴシック 12",
                                       "TextOut 106,0 \"c\" #000000 font ＭＳ Ｐゴシック 12",
                                       "FillRect 106,10,112,11 brush solid #000000",
                                   }));
  Draw("abcdefgh\tx", RECT{0, 0, 300, 20}, DT_EXPANDTABS | DT_NOCLIP);
  EXPECT_EQ(canvas.Of(Kind::TextOut).back().rect.left, 96);
  // Right alignment takes the expanded width.
  Draw("\tx", RECT{0, 0, 100, 20}, DT_EXPANDTABS | DT_RIGHT | DT_NOCLIP);
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "TextOut 94,0 \"x\" #000000 font ＭＳ Ｐゴシック 12",
                                   }));
  // Without the flag a tab is just a character of the text.
  Draw("a\tb", RECT{0, 0, 100, 20}, DT_NOCLIP);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a\tb"}));
}

TEST_F(GdiTest, OpaqueDrawTextFillsBehindEachLine) {
  SetBkColor(dc, 0xC0C0C0);
  RECT r{0, 0, 100, 40};
  canvas.Clear();
  DrawTextA(dc, "ab\nc", -1, &r, DT_CENTER);
  EXPECT_EQ(canvas.Descriptions(), (std::vector<std::string>{
                                       "SetClip 0,0,100,40",
                                       "FillRect 44,0,56,12 brush solid #C0C0C0",
                                       "TextOut 44,0 \"ab\" #000000 font ＭＳ Ｐゴシック 12",
                                       "FillRect 47,12,53,24 brush solid #C0C0C0",
                                       "TextOut 47,12 \"c\" #000000 font ＭＳ Ｐゴシック 12",
                                       "ResetClip",
                                   }));
}

TEST_F(GdiTest, DrawTextTakesTheCountOrRunsToTheNul) {
  EXPECT_EQ(Draw("Playing", RECT{0, 0, 100, 20}, DT_NOCLIP), 12);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Playing"}));
  RECT r{0, 0, 100, 20};
  canvas.Clear();
  EXPECT_EQ(DrawTextA(dc, "Playing", 4, &r, DT_NOCLIP), 12);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Play"}));
  EXPECT_EQ(DrawTextA(dc, "Play", -2, &r, 0), 0);
  EXPECT_EQ(DrawTextA(dc, nullptr, -1, &r, 0), 0);
  EXPECT_EQ(DrawTextA(dc, "Play", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(nullptr, "Play", -1, &r, 0), 0);
}

// ---- Rectangles, regions, pointer -------------------------------------------------------------

TEST(GdiRectTest, OffsetAndInflateMoveEdges) {
  RECT r{10, 20, 30, 40};
  EXPECT_TRUE(OffsetRect(&r, 5, -3));
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}), std::vector<LONG>({15, 17, 35, 37}));
  EXPECT_TRUE(InflateRect(&r, -2, 4));
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}), std::vector<LONG>({17, 13, 33, 41}));
  EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
  EXPECT_FALSE(InflateRect(nullptr, 1, 1));
}

TEST(GdiRegionTest, EllipticRegionHoldsThePixelsWhoseCentresLieInside) {
  struct Case {
    int x, y;
    bool inside;
  };
  // The ellipse inscribed in 66 × 30: centre (33, 15), radii 33 and 15.
  const std::vector<Case> cases = {
      {0, 0, false},   {65, 0, false},  {0, 29, false}, {65, 29, false},  // corners
      {33, 15, true},  {32, 14, true},                                    // centre
      {0, 15, true},   {0, 14, true},   {65, 15, true}, {65, 14, true},   // left and right ends
      {66, 15, false}, {-1, 15, false},                                   // the right edge is out
      {33, 0, true},   {32, 0, true},   {33, 29, true}, {32, 29, true},   // top and bottom
      {33, 30, false}, {33, -1, false},                                   // the bottom edge is out
      {0, 11, false},  {0, 12, true},   {0, 17, true},  {0, 18, false},   // the left end's extent
      {65, 11, false}, {65, 12, true},  {24, 0, false}, {25, 0, true},   {40, 0, true}, {41, 0, false}, {10, 3, false},
  };
  HRGN region = CreateEllipticRgn(0, 0, 66, 30);
  HRGN moved = CreateEllipticRgn(166, 230, 100, 200);  // the same shape, corners swapped
  for (const Case& c : cases) {
    EXPECT_EQ(PtInRegion(region, c.x, c.y) != FALSE, c.inside) << c.x << "," << c.y;
    EXPECT_EQ(PtInRegion(moved, c.x + 100, c.y + 200) != FALSE, c.inside) << c.x << "," << c.y;
  }
  // The shape is symmetric about the centre of the pixels it covers.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 66; ++x) {
      ASSERT_EQ(PtInRegion(region, x, y), PtInRegion(region, 65 - x, y)) << x << "," << y;
      ASSERT_EQ(PtInRegion(region, x, y), PtInRegion(region, x, 29 - y)) << x << "," << y;
    }
  EXPECT_TRUE(DeleteObject(region));
  EXPECT_TRUE(DeleteObject(moved));
  EXPECT_FALSE(PtInRegion(region, 33, 15));  // deleted

  HRGN empty = CreateEllipticRgn(5, 5, 5, 20);
  EXPECT_FALSE(PtInRegion(empty, 5, 10));
  HRGN dot = CreateEllipticRgn(5, 5, 6, 6);
  EXPECT_TRUE(PtInRegion(dot, 5, 5));
  EXPECT_FALSE(PtInRegion(static_cast<HRGN>(GetStockObject(BLACK_PEN)), 0, 0));
  DeleteObject(empty);
  DeleteObject(dot);
}

TEST(GdiCursorTest, PositionComesFromTheSourceOrIsTheOrigin) {
  POINT p{7, 7};
  EXPECT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  SetCursorPosSource([] { return POINT{120, -4}; });
  EXPECT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 120);
  EXPECT_EQ(p.y, -4);
  EXPECT_FALSE(GetCursorPos(nullptr));
  SetCursorPosSource(nullptr);
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 0);
}

}  // namespace
