#include "framework/ListBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/PlatformFixture.h"

using platform::ui::Key;

namespace {

class ListBoxTest : public PlatformTest {
 protected:
  TListBox* Make(int count, bool multi = false) {
    auto* l = new TListBox(owner.get());
    for (int i = 0; i < count; ++i) l->Items()->Add("Track " + std::to_string(i + 1));
    l->SetMultiSelect(multi);
    l->OnClick = [this](TObject*) { ++clicks; };
    return l;
  }

  static std::vector<int> Selection(const TListBox* l) {
    std::vector<int> out;
    for (int i = 0; i < 20; ++i)
      if (l->Selected(i)) out.push_back(i);
    return out;
  }

  int clicks = 0;
};

TEST_F(ListBoxTest, OnlyTheUsersSelectionCountsAsAClick) {
  auto* l = Make(5);
  l->SetItemIndex(2);
  l->SetSelected(3, true);
  l->SetItemIndex(3);
  EXPECT_EQ(l->ItemIndex(), 3);
  EXPECT_EQ(Selection(l), std::vector<int>{3});
  l->SetItemIndex(9);  // out of range: nothing selected
  EXPECT_EQ(l->ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);

  l->UserSelect(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Selection(l), std::vector<int>{1});
  l->UserSelect(7);  // beyond the items: not a selection at all
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(l->ItemIndex(), 1);
  l->UserSelect(3, true, true);  // a single selection knows no ranges
  EXPECT_EQ(Selection(l), std::vector<int>{3});
  EXPECT_EQ(l->SelCount(), -1);
}

TEST_F(ListBoxTest, EveryChangeOfTheItemsClearsTheSelectionAndTheAnchor) {
  const std::vector<std::pair<const char*, std::function<void(TStringList*)>>> changes = {
      {"Add", [](TStringList* s) { s->Add("x"); }},
      {"Delete", [](TStringList* s) { s->Delete(4); }},
      {"SetStrings", [](TStringList* s) { s->SetStrings(1, "x"); }},
      {"Clear", [](TStringList* s) { s->Clear(); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    clicks = 0;
    auto* l = Make(5, true);
    l->UserSelect(1);
    l->UserSelect(3, true);
    change(l->Items());
    EXPECT_EQ(l->ItemIndex(), -1);
    EXPECT_TRUE(Selection(l).empty());
    EXPECT_EQ(l->SelCount(), 0);
    EXPECT_EQ(clicks, 2);
    // A shift-click after the change starts afresh instead of extending the old range.
    l->Items()->Add("y");
    l->UserSelect(0, true);
    EXPECT_EQ(Selection(l), std::vector<int>{0});
  }
}

TEST_F(ListBoxTest, ExtendedSelectionTakesShiftRangesFromTheAnchorAndCtrlToggles) {
  auto* l = Make(6, true);
  struct Step {
    int index;
    bool shift, ctrl;
    std::vector<int> selected;
  };
  const Step steps[] = {
      {1, false, false, {1}},
      {3, true, false, {1, 2, 3}},
      {0, true, false, {0, 1}},  // a new range from the same anchor replaces the old one
      {4, false, true, {0, 1, 4}},
      {4, false, true, {0, 1}},  // ctrl again takes it out, and the anchor moves there
      {2, true, true, {0, 1, 2, 3, 4}},
      {5, false, false, {5}},
  };
  int n = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(n);
    l->UserSelect(s.index, s.shift, s.ctrl);
    EXPECT_EQ(Selection(l), s.selected);
    EXPECT_EQ(l->ItemIndex(), s.index);
    EXPECT_EQ(clicks, ++n);
  }
  EXPECT_EQ(l->SelCount(), 1);
}

TEST_F(ListBoxTest, ArrowKeysMoveByOneStopAtTheEndsAndCountAsClicks) {
  auto* l = Make(3);
  l->UserKey(Key::Up);  // nothing selected yet: the first item
  EXPECT_EQ(l->ItemIndex(), 0);
  EXPECT_EQ(clicks, 1);
  const std::pair<Key, int> keys[] = {{Key::Up, 0},    {Key::Down, 1}, {Key::Down, 2}, {Key::Down, 2},
                                      {Key::Right, 2}, {Key::Left, 1}, {Key::Home, 0}, {Key::End, 2}};
  int expectedClicks = 1;
  for (const auto& [key, index] : keys) {
    const int before = l->ItemIndex();
    l->UserKey(key);
    EXPECT_EQ(l->ItemIndex(), index);
    // A key that cannot move the selection is no click.
    if (index != before) ++expectedClicks;
    EXPECT_EQ(clicks, expectedClicks);
  }
  l->UserKey(Key::Space);
  EXPECT_EQ(clicks, expectedClicks);
  EXPECT_EQ(Selection(l), std::vector<int>{2});

  auto* empty = Make(0);
  empty->UserKey(Key::Down);
  EXPECT_EQ(empty->ItemIndex(), -1);
}

TEST_F(ListBoxTest, InColumnsLeftAndRightMoveByTheRowsOfAColumn) {
  // The main window's track list: three columns of four rows, without a border.
  auto* l = Make(10);
  l->SetColumns(3);
  l->SetBorder(false);
  l->SetItemHeight(19);
  l->SetHeight(79);
  l->UserSelect(1);
  const std::pair<Key, int> keys[] = {{Key::Right, 5}, {Key::Right, 9}, {Key::Right, 9}, {Key::Left, 5},
                                      {Key::Down, 6},  {Key::Left, 2},  {Key::Left, 0}};
  for (const auto& [key, index] : keys) {
    l->UserKey(key);
    EXPECT_EQ(l->ItemIndex(), index);
  }
  EXPECT_EQ(clicks, 7);
}

}  // namespace
