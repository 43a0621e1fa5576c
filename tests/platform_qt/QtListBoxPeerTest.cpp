#include <QListWidget>
#include <QTest>

#include "tests/platform_qt/QtPeerFixture.h"

using namespace platform::ui;

namespace {

std::vector<std::string> Tracks(int n) {
  std::vector<std::string> items;
  for (int i = 1; i <= n; ++i) items.push_back("トラック " + std::to_string(i));
  return items;
}

}  // namespace

class QtListBoxTest : public QtPeerTest {
 protected:
  void SetUp() override {
    ShowForm();
    list = backend.CreateListBox(form.get(), &handler);
    list->SetBorder(false);
    list->SetItemHeight(20);
    list->SetItems(Tracks(10));
    q = qobject_cast<QListWidget*>(WidgetOf(list));
    ASSERT_NE(q, nullptr);
  }

  void Click(int row, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(q->viewport(), Qt::LeftButton, mods, q->visualItemRect(q->item(row)).center());
  }

  std::unique_ptr<ListBoxPeer> list;
  QListWidget* q = nullptr;
};

TEST_F(QtListBoxTest, ColumnsFillDownwardsThenAcrossAtTheSetRowHeight) {
  list->SetBounds(0, 0, 300, 80);
  list->SetColumns(3);
  // Four rows of 20 pixels fit in 80: the fifth item starts the second column.
  EXPECT_EQ(q->visualItemRect(q->item(0)), QRect(0, 0, 100, 20));
  EXPECT_EQ(q->visualItemRect(q->item(3)), QRect(0, 60, 100, 20));
  EXPECT_EQ(q->visualItemRect(q->item(4)), QRect(100, 0, 100, 20));
  EXPECT_EQ(q->visualItemRect(q->item(9)), QRect(200, 20, 100, 20));

  list->SetColumns(1);
  list->SetItemHeight(17);
  const QRect second = q->visualItemRect(q->item(1));
  EXPECT_EQ(second.top(), 17);
  EXPECT_EQ(second.height(), 17);
  EXPECT_EQ(second.left(), 0);
}

TEST_F(QtListBoxTest, ColoursComeFromTheBackgroundAndTheFont) {
  list->SetBounds(0, 0, 120, 60);
  list->SetItems({"1", "2"});
  list->SetBackground(kBlack, true);
  list->SetFont(FontSpec{"ＭＳ Ｐゴシック", 16, false, false, false, false, kLime});
  const QImage image = Grab(q);
  EXPECT_TRUE(HasColor(image, 119, 59, Qt::black));
  bool lime = false;
  for (int y = 0; y < 20 && !lime; ++y)
    for (int x = 0; x < 120 && !lime; ++x) lime = image.pixelColor(x, y).rgb() == QColor(0, 255, 0).rgb();
  EXPECT_TRUE(lime);
}

TEST_F(QtListBoxTest, TheProgramsSelectionIsShownButNotReported) {
  list->SetBounds(0, 0, 200, 100);
  list->SetSelection(2, {false, false, true});
  EXPECT_EQ(q->currentRow(), 2);
  EXPECT_TRUE(q->item(2)->isSelected());
  list->SetSelection(-1, {});
  EXPECT_TRUE(q->selectedItems().isEmpty());
  list->SetItems(Tracks(4));
  EXPECT_TRUE(handler.calls.empty());
}

TEST_F(QtListBoxTest, ClicksAndArrowKeysReportTheSelectionThenAClick) {
  list->SetBounds(0, 0, 200, 100);
  Click(1);
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Selection 1 0100000000", "Click"}));
  handler.calls.clear();
  // Clicking the selected row again is still a click.
  Click(1);
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Selection 1 0100000000", "Click"}));
  handler.calls.clear();
  QTest::keyClick(q, Qt::Key_Down);
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Selection 2 0010000000", "Click"}));
  handler.calls.clear();
  // At the end of the list the arrow moves nothing, and nothing is reported.
  std::vector<bool> last(10, false);
  last[9] = true;
  list->SetSelection(9, last);
  QTest::keyClick(q, Qt::Key_Down);
  EXPECT_TRUE(handler.calls.empty());

  const QPoint p = q->visualItemRect(q->item(9)).center();
  QTest::mouseDClick(q->viewport(), Qt::LeftButton, {}, p);
  EXPECT_NE(std::find(handler.calls.begin(), handler.calls.end(),
                      "DblClick " + std::to_string(p.x()) + "," + std::to_string(p.y())),
            handler.calls.end());
}

TEST_F(QtListBoxTest, MultiSelectionTogglesAndReportsEveryRow) {
  list->SetBounds(0, 0, 200, 100);
  list->SetSelectionMode(ListSelection::Multi);
  list->SetItems(Tracks(3));
  Click(0);
  Click(2);
  Click(0);
  EXPECT_EQ(handler.calls, (std::vector<std::string>{"Selection 0 100", "Click", "Selection 2 101", "Click",
                                                     "Selection 0 001", "Click"}));
}
