#include <QFontMetrics>
#include <QLabel>
#include <QPaintEvent>
#include <QRegion>
#include <QScreen>
#include <utility>
#include <vector>

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

namespace {

// The regions Qt asks a widget to paint.
class PaintLog : public QObject {
 public:
  std::vector<QRegion> regions;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(e)->region());
    return false;
  }
};

}  // namespace

// The deck's time display: a big bold label that overlapping opaque labels cover in part,
// whose text changes only at its end once a second.
class QtLabelRepaintTest : public QtPeerTest {
 protected:
  QtLabelRepaintTest() {
    ShowForm(482, 159);
    label = backend.CreateLabel(form.get(), &handler);
    label->SetBounds(16, 10, 361, 79);
    label->SetFont(FontSpec{"ＭＳ Ｐ明朝", 32, true, false, false, false, kLime});
    label->SetBackground(kBlack, true);
    label->SetText("[01]  00:05");
    cover = backend.CreateLabel(form.get(), &handler);
    cover->SetBounds(200, 18, 60, 12);
    cover->SetFont(FontSpec{"ＭＳ Ｐゴシック", 12, false, false, false, false, kGrey});
    cover->SetBackground(kBlack, true);
    cover->SetText("INTRO");
    ProcessEvents();
    WidgetOf(label)->installEventFilter(&log);
  }

  // What the window shows on the screen, which is what earlier paints left there.
  QImage OnScreen() {
    QWidget* window = WidgetOf(form);
    return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  }

  // What earlier paints left on the screen is what drawing the window afresh gives.
  void ExpectScreenShowsAFreshDrawing() {
    const QImage screen = OnScreen();
    const QImage fresh = Grab(WidgetOf(form)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), fresh.size());
    EXPECT_TRUE(screen == fresh);
  }

  std::unique_ptr<LabelPeer> label, cover;
  PaintLog log;
};

TEST_F(QtLabelRepaintTest, AChangeAtTheEndRepaintsOnlyTheEnd) {
  QWidget* w = WidgetOf(label);
  const QFontMetrics fm = w->fontMetrics();
  const int unchanged = fm.horizontalAdvance(QStringLiteral("[01]  00:0"));
  label->SetText("[01]  00:06");
  ProcessEvents();
  ASSERT_EQ(log.regions.size(), 1u);
  const QRect painted = log.regions.front().boundingRect();
  EXPECT_TRUE(painted.contains(QRect(unchanged, 0, fm.horizontalAdvance(QLatin1Char('6')), fm.ascent())))
      << painted.x() << "," << painted.y() << " " << painted.width() << "x" << painted.height();
  EXPECT_GT(painted.left(), unchanged / 2) << "the unchanged beginning is not redrawn";
  EXPECT_LT(painted.height(), w->height());
  EXPECT_EQ(qobject_cast<QLabel*>(w)->text(), QStringLiteral("[01]  00:06"));
}

TEST_F(QtLabelRepaintTest, CentredOrWrappedTextRepaintsTheWholeLabel) {
  QWidget* w = WidgetOf(label);
  label->SetAlignment(Alignment::Center);
  ProcessEvents();
  log.regions.clear();
  label->SetText("[01]  00:06");
  ProcessEvents();
  ASSERT_FALSE(log.regions.empty());
  EXPECT_EQ(log.regions.back().boundingRect(), w->rect());

  label->SetAlignment(Alignment::Left);
  label->SetWordWrap(true);
  ProcessEvents();
  log.regions.clear();
  label->SetText("[01]  00:07");
  ProcessEvents();
  ASSERT_FALSE(log.regions.empty());
  EXPECT_EQ(log.regions.back().boundingRect(), w->rect());
}

TEST_F(QtLabelRepaintTest, TheScreenMatchesAFreshDrawingAfterEveryChange) {
  // Longer, shorter, changed at the start, the middle and the end, emptied and refilled.
  for (const char* text : {"[01]  00:06", "[01]  00:59", "[01]  01:00", "[12]  01:00", "[12]  1:00", "[12]  10:00:00",
                           "", "[01]  00:00", "再生中  00:01"}) {
    SCOPED_TRACE(text);
    label->SetText(text);
    ProcessEvents();
    ExpectScreenShowsAFreshDrawing();
  }
}

TEST_F(QtLabelRepaintTest, AChangeAfterTheFontChangesIsPlacedInTheNewFont) {
  // The same beginning measured in one font must not stand for it in another: the digits
  // of the larger face lie further right than the smaller face's measure says.
  for (const auto& [size, text] : std::vector<std::pair<int, const char*>>{
           {32, "[01]  00:06"}, {32, "[01]  00:07"}, {48, "[01]  00:07"}, {48, "[01]  00:08"}, {20, "[01]  00:09"}}) {
    SCOPED_TRACE(text);
    label->SetFont(FontSpec{"ＭＳ Ｐ明朝", size, true, false, false, false, kLime});
    label->SetText(text);
    ProcessEvents();
    ExpectScreenShowsAFreshDrawing();
  }
}

TEST_F(QtLabelRepaintTest, AHiddenLabelTakesItsTextAndShowsItWhenShown) {
  label->SetVisible(false);
  ProcessEvents();
  label->SetText("[02]  00:01");
  label->SetVisible(true);
  ProcessEvents();
  // Showing a child asks for its paint through one more round of posted events.
  ProcessEvents();
  const QImage a = OnScreen(), b = Grab(WidgetOf(form)).convertToFormat(QImage::Format_RGB32);
  QRect diff;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) diff |= QRect(x, y, 1, 1);
  EXPECT_TRUE(diff.isNull()) << diff.x() << "," << diff.y() << " " << diff.width() << "x" << diff.height();
}
