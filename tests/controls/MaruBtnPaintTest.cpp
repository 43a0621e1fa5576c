// What a round button draws in each of its looks, call by call, on the recording canvas,
// and which property writes ask for a repaint.
#include <functional>

#include "framework/DescriptionReader.h"
#include "framework/Registration.h"
#include "tests/controls/MaruBtnFixture.h"

namespace {

constexpr TColor kFace = 0x00A0B4C8;  // drawn as #C8B4A0

// Face, three-pixel ring and outline, which every look draws first.
std::vector<std::string> Frame(const std::string& faceBrush, bool sunken) {
  const std::string dark = "pen solid 3 #808080", light = "pen solid 3 #FFFFFF";
  return {"Ellipse 0,0,66,30 pen solid 1 #C8B4A0 " + faceBrush,
          "Arc 2,2,64,28 from 12,20 to 48,5 " + (sunken ? light : dark),
          "Arc 2,2,64,28 from 48,5 to 12,20 " + (sunken ? dark : light),
          "Ellipse 0,0,66,30 pen solid 1 #808080 brush hollow"};
}

// One drawing of the caption: clipped to its rectangle and written at (x, y).
std::vector<std::string> Text(const std::string& clip, int x, int y, const std::string& colour, int height = 12) {
  return {"SetClip " + clip,
          "TextOut " + std::to_string(x) + "," + std::to_string(y) + " \"再生\" " + colour + " font ＭＳ Ｐゴシック " +
              std::to_string(height),
          "ResetClip"};
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Look {
  const char* name;
  std::function<void(TMaruBtn*)> setup;
  bool sunken;
  bool latched;
  std::vector<std::string> caption;
};

using MaruBtnPaintTest = MaruBtnTest;

TEST_F(MaruBtnPaintTest, EachLookDrawsFaceRingOutlineAndCaptionInOrder) {
  const std::string rest = "10,9,56,21", moved = "11,10,57,22";
  const auto relief = [](TMaruBtn* b, TFontStyle3D style, int depth) {
    b->SetFont3D(true);
    b->SetStyle3D(style);
    b->SetFontDepth(static_cast<std::uint8_t>(depth));
  };
  const std::vector<Look> looks = {
      {"up", [](TMaruBtn*) {}, false, false, Text(rest, 21, 9, "#000000")},
      {"pressed", [](TMaruBtn* b) { b->MouseDown(mbLeft, {}, 33, 15); }, true, false, Text(moved, 22, 10, "#000000")},
      {"latched",
       [](TMaruBtn* b) {
         b->SetGroupIndex(1);
         b->SetDown(true);
       },
       true, true, Text(moved, 22, 10, "#000000")},
      {"disabled, whatever relief and colours",
       [&](TMaruBtn* b) {
         relief(b, bsLowered, 3);
         b->SetBackFont(clRed);
         b->Font()->SetColor(clBlue);
         b->SetEnabled(false);
       },
       false, false, Join(Text(moved, 22, 10, "#FFFFFF"), Text(rest, 21, 9, "#808080"))},
      {"lowered relief", [&](TMaruBtn* b) { relief(b, bsLowered, 1); }, false, false,
       Join(Text(moved, 22, 10, "#FFFF00"), Text(rest, 21, 9, "#000000"))},
      {"raised relief", [&](TMaruBtn* b) { relief(b, bsRaised, 1); }, false, false,
       Join(Text("9,8,55,20", 20, 8, "#FFFF00"), Text(rest, 21, 9, "#000000"))},
      {"any style but lowered is raised", [&](TMaruBtn* b) { relief(b, static_cast<TFontStyle3D>(7), 1); }, false,
       false, Join(Text("9,8,55,20", 20, 8, "#FFFF00"), Text(rest, 21, 9, "#000000"))},
      {"raised relief of a pressed red caption",
       [&](TMaruBtn* b) {
         relief(b, bsRaised, 2);
         b->Font()->SetColor(clRed);
         b->MouseDown(mbLeft, {}, 33, 15);
       },
       true, false, Join(Text("9,8,55,20", 20, 8, "#FFFF00"), Text(moved, 22, 10, "#FF0000"))},
      {"relief of depth 0 lies under the latched caption",
       [&](TMaruBtn* b) {
         relief(b, bsLowered, 0);
         b->SetBackFont(clAqua);
         b->SetGroupIndex(1);
         b->SetDown(true);
       },
       true, true, Join(Text(moved, 22, 10, "#00FFFF"), Text(moved, 22, 10, "#000000"))},
      // Centred after the offset, so the odd height rounds toward zero above the rectangle
      // and the caption lands a pixel lower than a flat one would (8).
      {"deep raised relief, odd font height",
       [&](TMaruBtn* b) {
         relief(b, bsRaised, 20);
         b->Font()->SetHeight(13);
       },
       false, false, Join(Text("-10,-11,36,2", 1, -11, "#FFFF00", 13), Text("10,9,56,22", 21, 9, "#000000", 13))},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.name);
    TMaruBtn* b = Button();
    b->SetColor(kFace);
    look.setup(b);
    const RecordingCanvas canvas = PaintOf(b);
    const auto expected =
        Join(Frame(look.latched ? "brush pattern 8x8" : "brush solid #C8B4A0", look.sunken), look.caption);
    EXPECT_EQ(canvas.Descriptions(), expected) << canvas.Describe();
    delete b;
  }
}

TEST_F(MaruBtnPaintTest, LatchedFaceIsTheSharedCheckerboardBuiltWhenFirstNeeded) {
  TMaruBtn* latched = Button();
  latched->SetGroupIndex(1);
  TMaruBtn* other = Button(100);
  PaintOf(latched);
  EXPECT_EQ(TMaruBtn::LatchPattern(), nullptr) << "no latched look was painted yet";

  latched->SetDown(true);
  auto faceOf = [](const RecordingCanvas& c) { return c.Of(CanvasCall::Kind::Ellipse).at(0).brush.pattern; };
  const auto first = faceOf(PaintOf(latched));
  ASSERT_NE(TMaruBtn::LatchPattern(), nullptr);
  ASSERT_TRUE(first);
  ASSERT_EQ(first->width, 8);
  ASSERT_EQ(first->height, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(first->pixels[static_cast<std::size_t>(y * 8 + x)], x % 2 == y % 2 ? 0xFFFFFFFFu : 0xFFC0C0C0u)
          << x << "," << y;
  EXPECT_EQ(first->pixels, TMaruBtn::LatchPattern()->Image().pixels);

  // Any round button going frees it; the next latched paint makes the same one again.
  delete other;
  EXPECT_EQ(TMaruBtn::LatchPattern(), nullptr);
  const auto second = faceOf(PaintOf(latched));
  ASSERT_TRUE(second);
  EXPECT_EQ(second->pixels, first->pixels);
}

TEST_F(MaruBtnPaintTest, CaptionsThatAreEmptyOrTooWide) {
  TMaruBtn* b = Button();
  b->SetCaption("");
  RecordingCanvas canvas = PaintOf(b);
  EXPECT_TRUE(canvas.Of(CanvasCall::Kind::TextOut).empty()) << canvas.Describe();
  EXPECT_TRUE(canvas.Of(CanvasCall::Kind::FillRect).empty());
  EXPECT_EQ(canvas.Of(CanvasCall::Kind::Ellipse).size() + canvas.Of(CanvasCall::Kind::Arc).size(), 4u);

  // 60 pixels in a 46-pixel area: clipped to it, and centred on the button's middle.
  b->SetCaption("Play track");
  canvas = PaintOf(b);
  ASSERT_EQ(canvas.Of(CanvasCall::Kind::TextOut).size(), 1u) << canvas.Describe();
  const CanvasCall text = canvas.Of(CanvasCall::Kind::TextOut)[0];
  EXPECT_EQ(canvas.Of(CanvasCall::Kind::SetClip).at(0).Describe(), "SetClip 10,9,56,21");
  EXPECT_EQ(text.rect.left, 3);
  EXPECT_EQ((text.rect.left + text.rect.right) / 2, 33);
}

TEST_F(MaruBtnPaintTest, RingAndCaptionAreaFollowTheButtonsSize) {
  TMaruBtn* b = Button();
  b->SetBounds(0, 0, 101, 41);
  const RecordingCanvas canvas = PaintOf(b);
  const auto arcs = canvas.Of(CanvasCall::Kind::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  // (101 − 4) div 5 = 19 and (41 − 4) div 5 = 7, not shifted by the ring's corner.
  EXPECT_EQ(arcs[0].Describe(), "Arc 2,2,99,39 from 19,28 to 76,7 pen solid 3 #808080");
  // Half sizes 25.25·√2 ≈ 35.7 → 36 and 10.25·√2 ≈ 14.5 → 14 about the centre (50, 20).
  EXPECT_EQ(canvas.Of(CanvasCall::Kind::SetClip).at(0).Describe(), "SetClip 14,14,86,26");
  EXPECT_EQ(canvas.Of(CanvasCall::Kind::TextOut).at(0).rect.left, 38);
}

TEST_F(MaruBtnPaintTest, ReenabledButtonPaintsLatchedOnlyWhenDownInAGroup) {
  for (const int group : {1, 0}) {
    SCOPED_TRACE(group);
    TMaruBtn* b = Button();
    b->SetGroupIndex(1);
    b->SetDown(true);
    b->SetGroupIndex(group);  // leaving the group keeps Down
    b->SetEnabled(false);
    PaintOf(b);
    EXPECT_EQ(b->State(), msDisabled);
    b->SetEnabled(true);
    EXPECT_EQ(b->State(), msDisabled) << "only the next paint leaves the disabled look";
    const RecordingCanvas canvas = PaintOf(b);
    EXPECT_EQ(b->State(), group != 0 ? msLatched : msUp);
    EXPECT_EQ(canvas.Of(CanvasCall::Kind::Ellipse).at(0).brush.kind,
              group != 0 ? platform::gdi::BrushKind::Pattern : platform::gdi::BrushKind::Solid);
    delete b;
  }
}

struct Write {
  const char* name;
  bool font3D;
  std::function<void(TMaruBtn*)> write;
  int invalidates;
};

TEST_F(MaruBtnPaintTest, WritesScheduleARepaintOnlyWhenTheyChangeThePicture) {
  const std::vector<Write> writes = {
      {"BackFont without relief", false, [](TMaruBtn* b) { b->SetBackFont(clRed); }, 0},
      {"BackFont with relief", true, [](TMaruBtn* b) { b->SetBackFont(clRed); }, 1},
      {"FontDepth without relief", false, [](TMaruBtn* b) { b->SetFontDepth(4); }, 0},
      {"FontDepth with relief", true, [](TMaruBtn* b) { b->SetFontDepth(4); }, 1},
      {"Style3D without relief", false, [](TMaruBtn* b) { b->SetStyle3D(bsLowered); }, 1},
      {"Color", false, [](TMaruBtn* b) { b->SetColor(clAqua); }, 1},
      {"Font3D", false, [](TMaruBtn* b) { b->SetFont3D(true); }, 1},
      {"OutLineColor", false, [](TMaruBtn* b) { b->SetOutLineColor(clBlack); }, 1},
      {"Enabled", false, [](TMaruBtn* b) { b->SetEnabled(false); }, 1},
      {"font colour", false, [](TMaruBtn* b) { b->Font()->SetColor(clRed); }, 1},
      {"Caption", false, [](TMaruBtn* b) { b->SetCaption("停止"); }, 1},
      {"equal values", true,
       [](TMaruBtn* b) {
         b->SetBackFont(clYellow);
         b->SetFontDepth(1);
         b->SetStyle3D(bsRaised);
         b->SetColor(clBtnFace);
         b->SetFont3D(true);
         b->SetOutLineColor(clBtnShadow);
         b->SetEnabled(true);
         b->Font()->SetColor(clWindowText);
         b->SetCaption("再生");
       },
       0},
  };
  for (const Write& w : writes) {
    SCOPED_TRACE(w.name);
    TMaruBtn* b = Button();
    b->SetFont3D(w.font3D);
    Peer(b).ResetCounts();
    w.write(b);
    EXPECT_EQ(Peer(b).invalidates, w.invalidates);
    EXPECT_EQ(Peer(b).repaints, 0);
    delete b;
  }

  // Values stored without a repaint show as soon as the relief does.
  TMaruBtn* b = Button();
  b->SetBackFont(clRed);
  b->SetFontDepth(2);
  b->SetFont3D(true);
  EXPECT_EQ(PaintOf(b).Descriptions().at(5), "TextOut 19,7 \"再生\" #FF0000 font ＭＳ Ｐゴシック 12");
}

TEST_F(MaruBtnPaintTest, StartsWithItsInitialValuesAndReadsItsOwnFromADescription) {
  auto* fresh = new TMaruBtn(form);
  EXPECT_EQ(fresh->Width(), 50);
  EXPECT_EQ(fresh->Height(), 50);
  EXPECT_EQ(fresh->Color(), clBtnFace);
  EXPECT_EQ(fresh->BackFont(), clYellow);
  EXPECT_EQ(fresh->OutLineColor(), clBtnShadow);
  EXPECT_EQ(fresh->FontDepth(), 1);
  EXPECT_EQ(fresh->Style3D(), bsRaised);
  EXPECT_FALSE(fresh->AllowAllUp() || fresh->Font3D() || fresh->Down() || fresh->Tracking());
  EXPECT_EQ(fresh->GroupIndex(), 0);
  EXPECT_EQ(fresh->State(), msUp);

  RegisterFrameworkClasses();
  RegisterClass<TMaruBtn>("TMaruBtn");
  TClassRegistry::Instance().Register("TForm", nullptr, &TForm::Properties());
  const std::string head = "object Deck: TForm\n  object Cmb_Play: TMaruBtn\n";
  TDescriptionReader::Read(form,
                           head +
                               "    AllowAllUp = True\n    BackFont = clRed\n    Font3D = True\n"
                               "    FontDepth = 255\n    GroupIndex = 2\n    OutLineColor = clBlack\n"
                               "    Style3D = bsLowered\n  end\nend\n",
                           "maru.dfm");
  auto* b = dynamic_cast<TMaruBtn*>(form->FindComponent("Cmb_Play"));
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->AllowAllUp() && b->Font3D());
  EXPECT_EQ(b->BackFont(), clRed);
  EXPECT_EQ(b->FontDepth(), 255);
  EXPECT_EQ(b->GroupIndex(), 2);
  EXPECT_EQ(b->OutLineColor(), clBlack);
  EXPECT_EQ(b->Style3D(), bsLowered);
  EXPECT_EQ(b->Parent(), form);
  EXPECT_THROW(TDescriptionReader::Read(form, head + "    FontDepth = 256\n  end\nend\n", "maru.dfm"), EReadError);
}

}  // namespace
