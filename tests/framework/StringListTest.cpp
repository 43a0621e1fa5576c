#include "framework/StringList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Exceptions.h"

namespace {

using Items = std::vector<std::string>;

TStringList ListOf(const Items& items) {
  TStringList list;
  for (const auto& s : items) list.Add(s);
  return list;
}

std::string IndexMessage(int index) { return "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (" + std::to_string(index) + ")"; }

TEST(StringListTest, IndexErrorsNameTheIndexAndLeaveTheListAlone) {
  const struct {
    const char* what;
    int index;
    std::function<void(TStringList&, int)> call;
  } cases[] = {
      {"Strings", -1, [](TStringList& l, int i) { l.Strings(i); }},
      {"Strings", 3, [](TStringList& l, int i) { l.Strings(i); }},
      {"operator[]", 3, [](TStringList& l, int i) { l[i]; }},
      {"SetStrings", -1, [](TStringList& l, int i) { l.SetStrings(i, "x"); }},
      {"SetStrings", 3, [](TStringList& l, int i) { l.SetStrings(i, "x"); }},
      {"Delete", -1, [](TStringList& l, int i) { l.Delete(i); }},
      {"Delete", 3, [](TStringList& l, int i) { l.Delete(i); }},
      {"Insert", -1, [](TStringList& l, int i) { l.Insert(i, "x"); }},
      {"Insert", 4, [](TStringList& l, int i) { l.Insert(i, "x"); }},
      {"Exchange first", -1, [](TStringList& l, int i) { l.Exchange(i, 0); }},
      {"Exchange first", 3, [](TStringList& l, int i) { l.Exchange(i, 0); }},
      {"Exchange second", -1, [](TStringList& l, int i) { l.Exchange(0, i); }},
      {"Exchange second", 3, [](TStringList& l, int i) { l.Exchange(0, i); }},
  };
  for (const auto& c : cases) {
    TStringList list = ListOf({"a", "b", "c"});
    try {
      c.call(list, c.index);
      ADD_FAILURE() << c.what << "(" << c.index << ") raised nothing";
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), IndexMessage(c.index)) << c.what;
    }
    EXPECT_EQ(list.Items(), (Items{"a", "b", "c"})) << c.what << "(" << c.index << ")";
  }
}

TEST(StringListTest, EditsKeepTheOrder) {
  TStringList list = ListOf({"a", "b", "c"});
  EXPECT_EQ(list.Add("d"), 3);
  list.Insert(4, "e");  // at Count: appends
  list.Insert(0, "start");
  list.Delete(2);
  list.Exchange(0, 4);
  list.SetStrings(1, "A");
  EXPECT_EQ(list.Items(), (Items{"e", "A", "c", "d", "start"}));
  EXPECT_EQ(list.Count(), 5);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.Strings(0), EStringListError);
  list.Insert(0, "only");  // Count is 0, so index 0 is still an append
  EXPECT_EQ(list.Items(), (Items{"only"}));
}

TEST(StringListTest, IndexOfFindsTheFirstExactMatch) {
  const TStringList list = ListOf({"1", "2", "1", "02", ""});
  EXPECT_EQ(list.IndexOf("1"), 0);
  EXPECT_EQ(list.IndexOf("2"), 1);
  EXPECT_EQ(list.IndexOf("02"), 3);
  EXPECT_EQ(list.IndexOf(""), 4);
  EXPECT_EQ(list.IndexOf("3"), -1);
}

TEST(StringListTest, AssignCopiesAndSurvivesSelfAssignment) {
  TStringList source = ListOf({"x", "y"});
  TStringList target = ListOf({"old"});
  target.Assign(source);
  EXPECT_EQ(target, source);
  // The copy is independent of its source.
  source.SetStrings(0, "changed");
  EXPECT_EQ(target.Strings(0), "x");

  target.Assign(target);
  EXPECT_EQ(target.Items(), (Items{"x", "y"}));
}

}  // namespace
