// The main window's start-up, display refresh and closing on the headless platform.
#include <gtest/gtest.h>

#include "platform/ui/Windows.h"
#include "tests/player/PlayerFixture.h"

namespace {

class MainWindowTest : public PlayerTest {
 protected:
  std::vector<std::string> ListItems() const { return form->List1->Items()->Items(); }
  static std::vector<std::string> OneTo(int n) {
    std::vector<std::string> v;
    for (int k = 1; k <= n; ++k) v.push_back(std::to_string(k));
    return v;
  }
};

TEST_F(MainWindowTest, StartingWithADiscListsItsTracksOnceEvenAfterTheEngineAnnouncesIt) {
  Start("sim");
  EXPECT_EQ(form->noCD->Caption(), "Audio CD");
  EXPECT_EQ(ListItems(), OneTo(12));
  EXPECT_EQ(form->CD->PlayList()->Items(), OneTo(12));
  EXPECT_EQ(form->List1->Columns(), 3);
  int inserts = 0;
  const auto handler = form->CD->OnCDInsert;
  form->CD->OnCDInsert = [&](TObject* s) {
    ++inserts;
    handler(s);
  };
  loop.Advance(1200);
  EXPECT_EQ(inserts, 1);
  EXPECT_EQ(ListItems(), OneTo(12));
  EXPECT_EQ(form->CD->PlayList()->Items(), OneTo(12));
}

TEST_F(MainWindowTest, StartingWithoutADiscShowsTheNoDiscState) {
  Start("sim:none");
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");
  EXPECT_TRUE(ListItems().empty());
  loop.Advance(300);
  EXPECT_EQ(form->MainText->Caption(), "[01]  00:00");
  EXPECT_EQ(Application->Title(), "「澄響」   [01]  00:00");
}

TEST_F(MainWindowTest, StartingWithoutAnyDriveReportsItAndStillComesUp) {
  Start("none");
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0).");
  EXPECT_EQ(boxes.All()[0].caption, "ＣＤデッキ「澄響」");
  EXPECT_EQ(boxes.All()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");
  EXPECT_TRUE(form->Visible());
  loop.Advance(100);
  EXPECT_EQ(form->MainText->Caption(), "[00]  ") << "no device: track 00 and no time";
  form->Cmb_Show->Click();
  EXPECT_EQ(form->Disp->Caption(), "残り時間");
}

TEST_F(MainWindowTest, TheRefreshShowsTrackTimeModeAndSelectsTheTrack) {
  Start("sim:0:30,0:30,0:30,0:30,0:30,0:30,3:00,0:30,0:30,0:30,0:30,2:00");
  loop.Advance(1200);  // until the engine has announced the disc
  form->CD->PlayIndex(6);
  loop.Advance(65000);
  EXPECT_EQ(form->MainText->Caption(), "[07]  01:05");
  EXPECT_EQ(Application->Title(), "「澄響」   [07]  01:05");
  EXPECT_EQ(form->ModeSong->Caption(), "再生");
  EXPECT_EQ(form->List1->ItemIndex(), 6);
  form->CD->PlayIndex(11);
  loop.Advance(100);
  EXPECT_EQ(form->MainText->Caption().substr(0, 4), "[12]");
  EXPECT_EQ(form->List1->Items()->Strings(form->List1->ItemIndex()), "12");
  form->CD->Pause();
  loop.Advance(100);
  EXPECT_EQ(form->ModeSong->Caption(), "一時停止");
  form->CD->Stop();
  loop.Advance(100);
  EXPECT_EQ(form->ModeSong->Caption(), "停止");
}

TEST_F(MainWindowTest, TheRefreshSelectsTheFirstMatchingEntryWithoutRunningTheClickHandler) {
  Start();
  int clicks = 0;
  form->List1->OnClick = [&](TObject*) { ++clicks; };
  form->List1->Items()->Clear();
  for (const char* s : {"3", "5", "3"}) form->List1->Items()->Add(s);
  form->CD->CueTrack(3);
  loop.Advance(300);
  EXPECT_EQ(form->List1->ItemIndex(), 0);
  // A track the list lacks leaves the selection where it was.
  form->CD->CueTrack(7);
  loop.Advance(300);
  EXPECT_EQ(form->List1->ItemIndex(), 0);
  EXPECT_EQ(clicks, 0);
}

TEST_F(MainWindowTest, ModeKeepsItsTextWhileTheDoorIsOpen) {
  Start();
  form->CD->PlayIndex(0);
  loop.Advance(200);
  ASSERT_EQ(form->ModeSong->Caption(), "再生");
  form->CD->Eject(true);
  loop.Advance(200);
  EXPECT_EQ(form->ModeSong->Caption(), "再生");
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");
  EXPECT_EQ(ListItems(), OneTo(12)) << "the list keeps the disc that went away";
}

TEST_F(MainWindowTest, FivePressesOfTheDisplayButtonEndOnTimeLeft) {
  Start();
  const std::pair<const char*, TCDPTimeMode> expected[] = {{"残り時間", cdpTrackLeft},
                                                           {"総時間", cdpTotalPast},
                                                           {"総残り時間", cdpTotalLeft},
                                                           {"経過時間", cdpTrackPast},
                                                           {"残り時間", cdpTrackLeft}};
  for (const auto& [caption, mode] : expected) {
    form->Cmb_Show->Click();
    EXPECT_EQ(form->Disp->Caption(), caption);
    EXPECT_EQ(form->CD->TimeMode(), mode);
  }
}

TEST_F(MainWindowTest, ADiscInsertedWhileRunningRefillsTheList) {
  Start("sim:none");
  Drive().InsertDisc(platform::cd::VirtualDisc::Parse("0:10,0:20,0:30"));
  loop.Advance(1200);
  EXPECT_EQ(ListItems(), OneTo(3));
  EXPECT_EQ(form->CD->PlayList()->Items(), OneTo(3));
  loop.Advance(100);
  EXPECT_EQ(form->noCD->Caption(), "Audio CD");
}

TEST_F(MainWindowTest, EscapeStopsAndClosesAndWritesThePlacement) {
  Start();
  form->CD->PlayIndex(0);
  EXPECT_TRUE(form->KeyPress(platform::ui::Key::Escape));
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(Application->Terminated());
  const std::string ini = dir.Read("plume.ini");
  EXPECT_EQ(ini,
            "[Setting]\r\nWindowsPos.Flags=0\r\nWindowsPos.Show=1\r\nWindowsPos.MaxX=-1\r\nWindowsPos.MaxY=-1\r\n"
            "WindowsPos.X=208\r\nWindowsPos.Y=120\r\nWindowsPos.XSize=690\r\nWindowsPos.YSize=279\r\n");
}

TEST_F(MainWindowTest, AStoredPlacementIsAppliedAtStart) {
  dir.Write("plume.ini", "[Setting]\r\nWindowsPos.X=100\r\nWindowsPos.Y=50\r\nWindowsPos.XSize=500\r\n");
  Start();
  EXPECT_EQ(form->Left(), 100);
  EXPECT_EQ(form->Top(), 50);
  EXPECT_EQ(form->Width(), 400) << "XSize is the right edge, not the width";
  EXPECT_EQ(form->Top() + form->Height(), 120 + 159) << "the bottom edge keeps its designed value";
  EXPECT_TRUE(form->Visible());
}

TEST_F(MainWindowTest, AnUnwritableSettingsFileIsReportedAndTheProgramStillEnds) {
  // A folder that does not exist cannot take the file, for root too.
  Start("sim", dir.File("missing"));
  form->BitBtn1->Click();
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, dir.File("missing") + "/plume.ini に書き込めません.");
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
