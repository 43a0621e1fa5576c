#include <QCheckBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>

#include "tests/platform_qt/QtPeerFixture.h"

using namespace platform::ui;

namespace {

// The peer widgets of a parent, bottom to top.
std::vector<QWidget*> Stack(QWidget* parent) {
  std::vector<QWidget*> out;
  for (QObject* o : parent->children())
    if (auto* w = qobject_cast<QWidget*>(o); w && platform::qt::QtControl::IsPeerWidget(w)) out.push_back(w);
  return out;
}

// Where the Tab key takes the focus from w.
QWidget* NextTabStop(QWidget* w) {
  w->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(w, Qt::Key_Tab);
  return QApplication::focusWidget();
}

}  // namespace

TEST_F(QtPeerTest, WindowedControlsStayAboveDrawnOnesWhateverTheOrderOfMaking) {
  RecordingHandler h;
  auto list = backend.CreateListBox(form.get(), &h);
  auto label = backend.CreateLabel(form.get(), &h);
  auto custom = backend.CreateCustom(form.get(), &h);
  auto button = backend.CreateButton(form.get(), &h);
  auto image = backend.CreateImage(form.get(), &h);
  QWidget* f = WidgetOf(form);
  EXPECT_EQ(Stack(f), (std::vector<QWidget*>{WidgetOf(label), WidgetOf(custom), WidgetOf(image), WidgetOf(list),
                                             WidgetOf(button)}));
  // Raised, a drawn control goes to the top of the drawn ones only.
  label->RaiseToTop();
  list->RaiseToTop();
  EXPECT_EQ(Stack(f), (std::vector<QWidget*>{WidgetOf(custom), WidgetOf(image), WidgetOf(label), WidgetOf(button),
                                             WidgetOf(list)}));
}

TEST_F(QtPeerTest, TabOrderFollowsTheOrdersGivenWithinEachParent) {
  ShowForm();
  QApplication::setActiveWindow(WidgetOf(form));
  RecordingHandler h;
  auto e1 = backend.CreateEdit(form.get(), &h);
  auto panel = backend.CreatePanel(form.get(), &h);
  auto inner = backend.CreateEdit(panel.get(), &h);
  auto e2 = backend.CreateEdit(form.get(), &h);
  e1->SetTabOrder(2);
  e2->SetTabOrder(0);
  panel->SetTabOrder(1);
  inner->SetTabOrder(0);
  // e2, then what the panel holds (the panel itself takes no focus), then e1.
  EXPECT_EQ(NextTabStop(WidgetOf(e2)), WidgetOf(inner));
  EXPECT_EQ(NextTabStop(WidgetOf(inner)), WidgetOf(e1));
  // A control made later goes after those with an order until it is given one.
  auto late = backend.CreateEdit(form.get(), &h);
  EXPECT_EQ(NextTabStop(WidgetOf(e1)), WidgetOf(late));
  late->SetTabOrder(0);
  EXPECT_EQ(NextTabStop(WidgetOf(late)), WidgetOf(e2));

  // A notebook's tabs come first, then the controls of its pages.
  auto book = backend.CreatePageControl(form.get(), &h);
  book->SetBounds(0, 0, 200, 100);
  book->SetPages({"1", "2"});
  auto onPage = backend.CreateEdit(book->PageContainer(0), &h);
  book->SetTabOrder(1);
  QWidget* tabs = WidgetOf(book)->findChild<QTabBar*>();
  EXPECT_EQ(NextTabStop(WidgetOf(e2)), tabs);
  EXPECT_EQ(NextTabStop(tabs), WidgetOf(onPage));
  EXPECT_EQ(NextTabStop(WidgetOf(onPage)), WidgetOf(inner));
}

// Windows are built hidden; their focus chain is made when they are shown, in the orders
// given meanwhile, and made again when they are shown after a change made out of sight.
TEST_F(QtPeerTest, AWindowBuiltOutOfSightTabsInTheOrdersGivenOnceShown) {
  RecordingHandler h;
  auto a = backend.CreateEdit(form.get(), &h);
  auto b = backend.CreateEdit(form.get(), &h);
  auto c = backend.CreateEdit(form.get(), &h);
  // The reverse of the order of making, which no rotation of Qt's own chain matches.
  a->SetTabOrder(2);
  b->SetTabOrder(1);
  c->SetTabOrder(0);
  ShowForm();
  QApplication::setActiveWindow(WidgetOf(form));
  EXPECT_EQ(NextTabStop(WidgetOf(c)), WidgetOf(b));
  EXPECT_EQ(NextTabStop(WidgetOf(b)), WidgetOf(a));

  form->ShowWindow(false, false);
  ProcessEvents();
  b->SetTabOrder(3);
  form->ShowWindow(true, true);
  ProcessEvents();
  QApplication::setActiveWindow(WidgetOf(form));
  EXPECT_EQ(NextTabStop(WidgetOf(c)), WidgetOf(a));
  EXPECT_EQ(NextTabStop(WidgetOf(a)), WidgetOf(b));
}

TEST_F(QtPeerTest, CheckBoxAndEditReportOnlyTheUsersChanges) {
  ShowForm();
  RecordingHandler editHandler;
  auto check = backend.CreateCheckBox(form.get(), &handler);
  check->SetBounds(10, 10, 120, 20);
  check->SetText("リピート");
  check->SetChecked(true);
  auto* box = qobject_cast<QCheckBox*>(WidgetOf(check));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isChecked());
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Check 0", "Click"}));

  auto edit = backend.CreateEdit(form.get(), &editHandler);
  edit->SetText("12");
  QTest::keyClicks(WidgetOf(edit), "3");
  EXPECT_EQ(editHandler.calls, std::vector<std::string>{"Text 123"});
  edit->SetText("7");
  EXPECT_EQ(qobject_cast<QLineEdit*>(WidgetOf(edit))->text(), QStringLiteral("7"));
  EXPECT_EQ(editHandler.calls.size(), 1u);
}

TEST_F(QtPeerTest, UpDownStepsWithinItsRangeAndWrapsOnlyWhenAsked) {
  ShowForm();
  auto spin = backend.CreateUpDown(form.get(), &handler);
  spin->SetBounds(10, 10, 16, 24);
  spin->SetRange(1, 3, 1, false);
  spin->SetPosition(2);
  auto buttons = WidgetOf(spin)->findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 2);
  std::sort(buttons.begin(), buttons.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
  QToolButton* up = buttons[0];
  QToolButton* down = buttons[1];
  EXPECT_EQ(up->arrowType(), Qt::UpArrow);
  EXPECT_EQ(up->geometry(), QRect(0, 0, 16, 12));
  EXPECT_EQ(down->geometry(), QRect(0, 12, 16, 12));

  QTest::mouseClick(up, Qt::LeftButton);
  QTest::mouseClick(up, Qt::LeftButton);  // at the top already: nothing changes
  QTest::keyClick(WidgetOf(spin), Qt::Key_Down);
  QTest::mouseClick(down, Qt::LeftButton);
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Position 3", "Position 2", "Position 1"}));
  handler.calls.clear();
  spin->SetRange(1, 3, 1, true);
  QTest::mouseClick(down, Qt::LeftButton);
  QTest::mouseClick(up, Qt::LeftButton);
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Position 3", "Position 1"}));
}

TEST_F(QtPeerTest, PageControlMakesContainersAndReportsTheUsersTabChanges) {
  ShowForm();
  auto pages = backend.CreatePageControl(form.get(), &handler);
  pages->SetBounds(0, 0, 300, 180);
  pages->SetPages({"設定", "情報"});
  ASSERT_NE(pages->PageContainer(1), nullptr);
  EXPECT_EQ(pages->PageContainer(2), nullptr);
  RecordingHandler h;
  auto label = backend.CreateLabel(pages->PageContainer(1), &h);
  label->SetBounds(5, 6, 40, 10);
  EXPECT_EQ(WidgetOf(label)->parentWidget(), WidgetOf(pages->PageContainer(1)));
  EXPECT_EQ(WidgetOf(label)->geometry(), QRect(5, 6, 40, 10));

  pages->SetActivePage(1);
  pages->SetActivePage(0);
  EXPECT_TRUE(handler.calls.empty());
  QTabBar* bar = WidgetOf(pages)->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(handler.calls, std::vector<std::string>{"Page 1"});

  pages->SetPages({"設定"});
  EXPECT_EQ(pages->PageContainer(1), nullptr);
  EXPECT_EQ(qobject_cast<QTabWidget*>(WidgetOf(pages))->count(), 1);
}

TEST_F(QtPeerTest, PanelBevelsAreLightAboveAndDarkBelowWhenRaised) {
  ShowForm();
  auto panel = backend.CreatePanel(form.get(), &handler);
  panel->SetBounds(10, 10, 40, 20);
  panel->SetBackground(kGrey, true);
  panel->SetBevel(Bevel::Raised, Bevel::None, 1);
  const QColor light(255, 255, 255), dark(128, 128, 128), face(192, 192, 192);
  QImage image = Grab(WidgetOf(panel));
  EXPECT_TRUE(HasColor(image, 0, 0, light));
  EXPECT_TRUE(HasColor(image, 38, 0, light));
  EXPECT_TRUE(HasColor(image, 39, 0, dark));
  EXPECT_TRUE(HasColor(image, 0, 19, dark));
  EXPECT_TRUE(HasColor(image, 39, 19, dark));
  EXPECT_TRUE(HasColor(image, 1, 1, face));
  panel->SetBevel(Bevel::Lowered, Bevel::Raised, 1);
  image = Grab(WidgetOf(panel));
  EXPECT_TRUE(HasColor(image, 0, 0, dark));
  EXPECT_TRUE(HasColor(image, 39, 19, light));
  EXPECT_TRUE(HasColor(image, 1, 1, light));
  EXPECT_TRUE(HasColor(image, 38, 18, dark));
  EXPECT_TRUE(HasColor(image, 2, 2, face));
}

TEST_F(QtPeerTest, ImageDrawsAtNaturalSizeOrStretchedAndLetsTheMouseThroughWhenDisabled) {
  ShowForm();
  form->SetBackground(kRed, true);
  auto image = backend.CreateImage(form.get(), &handler);
  image->SetBounds(0, 0, 20, 20);
  image->SetBackground(kBlack, true);  // an image has no background of its own
  image->SetPicture(Image{2, 2, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}});
  QImage face = Grab(WidgetOf(form));
  EXPECT_TRUE(HasColor(face, 1, 1, Qt::blue));
  EXPECT_TRUE(HasColor(face, 2, 2, Qt::red));
  image->SetStretch(true);
  face = Grab(WidgetOf(form));
  EXPECT_TRUE(HasColor(face, 19, 19, Qt::blue));
  EXPECT_TRUE(HasColor(face, 20, 20, Qt::red));

  QTest::mouseClick(WidgetOf(image), Qt::LeftButton, {}, QPoint(3, 4));
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"MouseDown L held 3,4", "MouseUp L 3,4"}));
  image->SetEnabled(false);
  EXPECT_TRUE(WidgetOf(image)->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(QtPeerTest, APictureUnderOtherControlsIsPaintedWithoutQtsPaintingThreads) {
  // Qt's raster painter hands large fills and blends to a pool of its own threads, which
  // stay for half a minute; the deck's face must not start them.
  const auto threads = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator());
  };
  ShowForm(482, 159);
  auto image = backend.CreateImage(form.get(), &handler);
  image->SetBounds(0, 0, 482, 159);
  image->SetPicture(Image{482, 159, std::vector<std::uint32_t>(482 * 159, 0xFF0000FF)});
  // Opaque labels above the picture, as on the deck's face, leave it a region of many
  // rectangles to paint.
  std::vector<std::unique_ptr<LabelPeer>> labels;
  for (int i = 0; i < 4; ++i) {
    labels.push_back(backend.CreateLabel(form.get(), &handler));
    labels.back()->SetBounds(20 + 110 * i, 10 + 30 * i, 80, 40);
    labels.back()->SetBackground(kBlack, true);
  }
  const auto before = threads();
  WidgetOf(form)->repaint();
  EXPECT_EQ(threads(), before);
  const QImage face = WidgetOf(form)->grab().toImage();
  EXPECT_TRUE(HasColor(face, 5, 150, Qt::blue));
  EXPECT_TRUE(HasColor(face, 470, 5, Qt::blue));
  EXPECT_TRUE(HasColor(face, 30, 60, Qt::blue));
}

TEST_F(QtPeerTest, CustomControlShowsItsParentAndReportsTheMouse) {
  ShowForm();
  form->SetBackground(kRed, true);
  auto custom = backend.CreateCustom(form.get(), &handler);
  custom->SetBounds(10, 10, 30, 30);
  custom->SetBackground(kBlack, true);
  const QImage face = Grab(WidgetOf(form));
  EXPECT_TRUE(HasColor(face, 10, 10, Qt::red));
  EXPECT_GT(handler.paints, 0);
  QWidget* w = WidgetOf(custom);
  EXPECT_TRUE(w->hasMouseTracking());

  QTest::mousePress(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
  QTest::mouseMove(w, QPoint(7, 8));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 8));
  // The second press of a double click is a double click and a press.
  QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(2, 3));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w, &leave);
  const std::vector<std::string> expected{"MouseDown L shift held 5,6", "MouseMove held 7,8",
                                          "MouseUp L shift 7,8",        "DblClick 2,3",
                                          "MouseDown L held 2,3",       "Leave"};
  EXPECT_EQ(handler.calls, expected);
}
