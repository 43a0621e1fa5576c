// The play-order editor: building a program from the disc's numbers, registering it with
// the engine and the main window, releasing it, and the errors the user can run into.
#include <gtest/gtest.h>

#include "platform/mci/VirtualDisc.h"
#include "platform/messages/EventLoop.h"
#include "platform/ui/Windows.h"
#include "tests/player/PlayerFixture.h"

namespace {

using Texts = std::vector<std::string>;

Texts OneTo(int n) {
  Texts v;
  for (int k = 1; k <= n; ++k) v.push_back(std::to_string(k));
  return v;
}

class EditorWindowTest : public PlayerTest {
 protected:
  TCDList_Form& Editor() { return *CDList_Form; }
  // Opens the editor as the main window's "再生順序" button does.
  void Open() { form->Cmb_List->Click(); }
  // Chooses the available numbers (1-based track numbers) and adds each.
  void Add(std::initializer_list<int> tracks) {
    for (int t : tracks) {
      Editor().List1->UserSelect(t - 1);
      Editor().AddSong->Click();
    }
  }
  // A click as the native button delivers it: what escapes goes to the error report.
  static void NativeClick(TControl* c) {
    platform::DispatchSafely([c] { c->Click(); });
  }
  Texts Program() { return Editor().List2->Items()->Items(); }
  Texts MainList() { return form->List1->Items()->Items(); }
  Texts PlayList() { return form->CD->PlayList()->Items(); }
  // The engine stands stopped at the very start of the track.
  void ExpectCuedAtStartOf(int track) {
    EXPECT_EQ(form->CD->GetMode(), cpmStopped);
    EXPECT_EQ(form->CD->PlayIndexPos(), 0);
    EXPECT_EQ(form->CD->GetPosition(), MCI_MAKE_TMSF(static_cast<BYTE>(track), 0, 0, 0));
  }
};

TEST_F(EditorWindowTest, OpeningListsTheDiscsNumbersAndKeepsTheProgram) {
  StartAll();
  EXPECT_FALSE(Editor().Visible());
  loop.Advance(1200);
  EXPECT_EQ(Editor().List1->Items()->Items(), OneTo(12)) << "filled when the engine announced the disc";
  Editor().List2->Items()->Add("4");
  Editor().List1->Items()->Clear();
  Open();
  EXPECT_TRUE(Editor().Visible());
  EXPECT_EQ(Editor().Left(), 263);
  EXPECT_EQ(Editor().Top(), 292);
  EXPECT_EQ(Editor().List1->Items()->Items(), OneTo(12));
  EXPECT_EQ(Editor().List1->Columns(), 3);
  EXPECT_EQ(Program(), Texts{"4"});
  EXPECT_TRUE(form->Visible());
}

TEST_F(EditorWindowTest, RegisteringAProgramMakesItThePlayListAndCuesItsFirstEntry) {
  StartAll();
  loop.Advance(1200);
  form->CD->PlayIndex(5);
  form->Cmb_Play->Font()->SetColor(clRed);
  form->Cmb_Stop->Font()->SetColor(clBlack);
  Open();
  Add({3, 3, 7});
  EXPECT_EQ(Program(), (Texts{"3", "3", "7"}));
  EXPECT_EQ(Editor().List1->Items()->Items(), OneTo(12)) << "adding takes nothing away";

  Editor().Song_Ok->Click();
  EXPECT_EQ(MainList(), (Texts{"3", "3", "7"}));
  EXPECT_EQ(PlayList(), (Texts{"3", "3", "7"}));
  ExpectCuedAtStartOf(3);
  EXPECT_EQ(form->Label_Prg->Font()->Color(), clLime);
  EXPECT_EQ(form->Cmb_Play->Font()->Color(), clBlack);
  EXPECT_EQ(form->Cmb_Stop->Font()->Color(), clRed);
  EXPECT_FALSE(Editor().Visible());
  EXPECT_EQ(Program(), (Texts{"3", "3", "7"})) << "the program stays for the next showing";
  loop.Advance(100);
  EXPECT_EQ(form->List1->ItemIndex(), 0);
}

TEST_F(EditorWindowTest, RegisteringSwitchesRandomPlayOffUntilTheRandomButtonIsPressedAgain) {
  StartAll();
  form->Cmb_Rnd->Click();
  ASSERT_TRUE(form->RndOn());
  ASSERT_TRUE(form->CD->ShufflePlay());
  Open();
  Add({5, 2});
  Editor().Song_Ok->Click();
  EXPECT_FALSE(form->RndOn());
  EXPECT_FALSE(form->CD->ShufflePlay());
  EXPECT_EQ(form->Label_Rand->Font()->Color(), clSilver);
  EXPECT_EQ(PlayList(), (Texts{"5", "2"}));
  ExpectCuedAtStartOf(5);
  form->Cmb_Rnd->Click();
  EXPECT_TRUE(form->RndOn());
  EXPECT_EQ(form->Label_Rand->Font()->Color(), clLime);
}

TEST_F(EditorWindowTest, DeletingRemovesOnlyTheEntryHoldingTheFocus) {
  StartAll();
  Open();
  Add({1, 2, 3, 4, 5});
  TListBox* program = Editor().List2;
  program->UserSelect(1);
  program->UserSelect(3, /*shift=*/true);
  ASSERT_EQ(program->SelCount(), 3);
  Editor().DelSong->Click();
  EXPECT_EQ(Program(), (Texts{"1", "2", "3", "5"}));

  // Ctrl-clicks: the last one clicked holds the focus.
  program->UserSelect(0);
  program->UserSelect(3, false, /*ctrl=*/true);
  program->UserSelect(1, false, /*ctrl=*/true);
  Editor().DelSong->Click();
  EXPECT_EQ(Program(), (Texts{"1", "3", "5"}));
}

TEST_F(EditorWindowTest, DeletingFromAnEmptyProgramDoesNothingAndSaysNothing) {
  StartAll();
  Open();
  NativeClick(Editor().DelSong);
  EXPECT_TRUE(Program().empty());
  EXPECT_TRUE(boxes.All().empty());
}

TEST_F(EditorWindowTest, DoubleClicksAddOnTheLeftAndDeleteOnTheRight) {
  StartAll();
  Open();
  Editor().List1->UserSelect(4);
  Editor().List1->DblClick();
  Editor().List1->UserSelect(8);
  Editor().List1->DblClick();
  EXPECT_EQ(Program(), (Texts{"5", "9"}));
  Editor().List2->UserSelect(0);
  Editor().List2->DblClick();
  EXPECT_EQ(Program(), Texts{"9"});
}

TEST_F(EditorWindowTest, ReleaseGoesBackToDiscOrderAndLeavesRandomAndTransportAlone) {
  StartAll();
  Open();
  Add({3, 3, 7});
  Editor().Song_Ok->Click();
  form->Cmb_Play->Font()->SetColor(clRed);
  form->Label_Rand->Font()->SetColor(clLime);
  Open();
  Editor().Song_ReLoad->Click();
  EXPECT_TRUE(Program().empty());
  EXPECT_EQ(MainList(), OneTo(12));
  EXPECT_EQ(PlayList(), OneTo(12));
  ExpectCuedAtStartOf(1);
  EXPECT_EQ(form->Label_Prg->Font()->Color(), clSilver);
  EXPECT_FALSE(Editor().Visible());
  EXPECT_EQ(form->Cmb_Play->Font()->Color(), clRed);
  EXPECT_EQ(form->Label_Rand->Font()->Color(), clLime);
}

TEST_F(EditorWindowTest, ReleaseWithoutADiscEmptiesEverythingAndReportsTheEmptyPlayList) {
  StartAll();
  Open();
  Add({2});
  Editor().Song_Ok->Click();
  Drive().RemoveDisc();
  Open();
  NativeClick(Editor().Song_ReLoad);
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0).");
  EXPECT_TRUE(Program().empty());
  EXPECT_TRUE(MainList().empty());
  EXPECT_TRUE(PlayList().empty());
  EXPECT_EQ(form->Label_Prg->Font()->Color(), clSilver);
  EXPECT_TRUE(Editor().Visible());
}

TEST_F(EditorWindowTest, CancelRegistersNothingAndReopeningShowsTheProgramAgain) {
  StartAll();
  Open();
  Add({9, 1});
  EXPECT_TRUE(Editor().KeyPress(platform::ui::Key::Escape)) << "Esc is the cancel button's key";
  EXPECT_FALSE(Editor().Visible());
  EXPECT_EQ(MainList(), OneTo(12));
  EXPECT_EQ(PlayList(), OneTo(12));
  EXPECT_EQ(form->Label_Prg->Font()->Color(), clSilver);
  EXPECT_FALSE(Editor().KeyPress(platform::ui::Key::Enter)) << "the editor has no default button";

  Open();
  EXPECT_EQ(Program(), (Texts{"9", "1"}));
  Editor().Song_Cancel->Click();
  EXPECT_FALSE(Editor().Visible());
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(EditorWindowTest, AnotherDiscRefillsTheAvailableNumbersAndKeepsTheProgram) {
  StartAll();
  Open();
  Add({3, 3, 7});
  Drive().RemoveDisc();
  loop.Advance(400);
  Drive().InsertDisc(platform::cd::VirtualDisc::Parse("0:10,0:20,0:30,0:40,0:50"));
  loop.Advance(1200);
  EXPECT_EQ(Editor().List1->Items()->Items(), OneTo(5));
  EXPECT_EQ(MainList(), OneTo(5));
  EXPECT_EQ(Program(), (Texts{"3", "3", "7"}));
  // A number the new disc lacks is handed to the engine as it stands.
  Editor().Song_Ok->Click();
  EXPECT_EQ(PlayList(), (Texts{"3", "3", "7"}));
}

TEST_F(EditorWindowTest, AddingWithNoNumberChosenIsReportedAndAddsNothing) {
  StartAll();
  Open();
  Editor().List1->UserSelect(2);
  Open();  // refilling the list loses the choice
  NativeClick(Editor().AddSong);
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (-1).");
  EXPECT_EQ(boxes.All()[0].caption, "ＣＤデッキ「澄響」");
  EXPECT_EQ(boxes.All()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(Program().empty());
}

TEST_F(EditorWindowTest, RegisteringAnEmptyProgramEmptiesTheListsReportsAndStaysOpen) {
  StartAll();
  Open();
  NativeClick(Editor().Song_Ok);
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0).");
  EXPECT_TRUE(MainList().empty());
  EXPECT_TRUE(PlayList().empty());
  EXPECT_EQ(form->Label_Prg->Font()->Color(), clLime);
  EXPECT_TRUE(Editor().Visible());
}

TEST_F(EditorWindowTest, DeletingKeepsTheOtherSelectedEntriesAndMovesTheFocusToTheNext) {
  StartAll();
  Open();
  Add({1, 2, 3, 4, 5, 6});
  TListBox* program = Editor().List2;
  auto selection = [program] {
    std::vector<int> rows;
    for (int i = 0; i < program->Items()->Count(); ++i)
      if (program->Selected(i)) rows.push_back(i);
    return rows;
  };
  program->UserSelect(1);
  program->UserSelect(3, /*shift=*/true);  // 2, 3 and 4 selected, the focus on 4
  Editor().DelSong->Click();
  EXPECT_EQ(Program(), (Texts{"1", "2", "3", "5", "6"}));
  EXPECT_EQ(selection(), (std::vector<int>{1, 2}));
  EXPECT_EQ(program->ItemIndex(), 3) << "the focus is on 5, the entry after the removed one";
  // The next press goes on at once, without choosing again.
  Editor().DelSong->Click();
  EXPECT_EQ(Program(), (Texts{"1", "2", "3", "6"}));
  EXPECT_EQ(selection(), (std::vector<int>{1, 2}));
  EXPECT_EQ(program->ItemIndex(), 3);
  // The last entry removed: the focus goes to the new last one, selected as it was.
  Editor().DelSong->Click();
  EXPECT_EQ(Program(), (Texts{"1", "2", "3"}));
  EXPECT_EQ(program->ItemIndex(), 2);
  EXPECT_EQ(selection(), (std::vector<int>{1, 2}));
  Editor().DelSong->Click();
  Editor().DelSong->Click();
  Editor().DelSong->Click();
  EXPECT_TRUE(Program().empty());
  EXPECT_EQ(program->ItemIndex(), -1);
  EXPECT_TRUE(boxes.All().empty());
}

}  // namespace
