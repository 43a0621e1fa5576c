// The transport and mode commands of the main window, on the simulated drive.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/Exceptions.h"
#include "platform/messages/EventLoop.h"
#include "platform/ui/Windows.h"
#include "tests/player/PlayerFixture.h"

namespace {

class TransportTest : public PlayerTest {
 protected:
  TForm1& Ready(const std::string& drives = "sim") {
    Start(drives);
    loop.Advance(1200);  // the engine announces the disc
    return *form;
  }
  // The caption colours of play, stop and pause, as the lamp shows them.
  std::string Lamps() const {
    auto c = [](TMaruBtn* b) {
      const TColor k = b->Font()->Color();
      return k == clRed ? 'R' : (k == clBlack || k == clWindowText) ? 'b' : '?';
    };
    return {c(form->Cmb_Play), c(form->Cmb_Stop), c(form->Cmb_Pause)};
  }
};

TEST_F(TransportTest, PlayStopAndPauseMoveTheEngineAndTheLamps) {
  Ready();
  EXPECT_EQ(Lamps(), "bRb") << "as designed, stop starts red";
  form->Cmb_PlayClick(nullptr);
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  EXPECT_EQ(Lamps(), "Rbb");
  loop.Advance(3000);
  form->Cmb_PlayClick(nullptr);  // while playing: nothing
  EXPECT_EQ(form->CD->GetTrackPosition(), 3);
  form->Cmb_PauseClick(nullptr);
  EXPECT_EQ(form->CD->GetMode(), cpmPaused);
  EXPECT_EQ(Lamps(), "bbR");
  form->Cmb_StopClick(nullptr);  // while paused: nothing
  EXPECT_EQ(form->CD->GetMode(), cpmPaused);
  EXPECT_EQ(Lamps(), "bbR");
  form->Cmb_PauseClick(nullptr);  // resumes
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  EXPECT_EQ(Lamps(), "Rbb");
  form->Cmb_StopClick(nullptr);
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  EXPECT_EQ(Lamps(), "bRb");
}

TEST_F(TransportTest, PlayWhilePausedStartsTheListAgain) {
  Ready();
  form->CD->PlayIndex(4);
  loop.Advance(2000);
  form->Cmb_PauseClick(nullptr);
  form->Cmb_PlayClick(nullptr);
  EXPECT_EQ(form->CD->CurrentTrack(), 1);
  EXPECT_EQ(form->CD->PlayIndexPos(), 0);
  EXPECT_FALSE(form->CD->Paused());
  EXPECT_EQ(Lamps(), "RbR") << "pause keeps its red";
}

TEST_F(TransportTest, PauseWhileStoppedChangesNoLampButPausesTheEngine) {
  Ready();
  form->Cmb_PauseClick(nullptr);
  EXPECT_EQ(Lamps(), "bRb");
  EXPECT_EQ(form->CD->GetMode(), cpmPaused);
}

TEST_F(TransportTest, PlayWithoutADiscPlaysNothingButLightsTheLamp) {
  Ready("sim:none");
  form->Cmb_PlayClick(nullptr);
  EXPECT_EQ(Lamps(), "Rbb");
  EXPECT_NE(form->CD->GetMode(), cpmPlaying);
}

TEST_F(TransportTest, NextAndBackPlayOrCueByTheMode) {
  Ready();
  form->Cmb_NextClick(nullptr);
  EXPECT_EQ(form->CD->CurrentTrack(), 2);
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  form->Cmb_PlayClick(nullptr);
  form->Cmb_NextClick(nullptr);
  form->Cmb_NextClick(nullptr);
  EXPECT_EQ(form->CD->CurrentTrack(), 3);
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  form->Cmb_BackClick(nullptr);
  EXPECT_EQ(form->CD->CurrentTrack(), 2);
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  form->Cmb_PauseClick(nullptr);
  form->Cmb_NextClick(nullptr);
  EXPECT_EQ(form->CD->CurrentTrack(), 3);
  EXPECT_EQ(form->CD->GetMode(), cpmStopped) << "next while paused stands stopped on the next entry";
}

TEST_F(TransportTest, EjectOpensTheDoorAndTheDisplaySaysSo) {
  Ready();
  form->Cmb_EjectClick(nullptr);
  EXPECT_TRUE(Drive().DoorOpen());
  loop.Advance(200);
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");
}

TEST_F(TransportTest, AListClickPlaysThatPositionOfThePlayList) {
  Ready();
  form->List1->UserSelect(5);
  EXPECT_EQ(form->CD->CurrentTrack(), 6);
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  // The arrow keys count as clicks.
  form->List1->UserKey(platform::ui::Key::Down);
  EXPECT_EQ(form->CD->CurrentTrack(), 7);
  form->List1->UserKey(platform::ui::Key::Up);
  form->List1->UserKey(platform::ui::Key::Up);
  EXPECT_EQ(form->CD->CurrentTrack(), 5);
}

TEST_F(TransportTest, AClickBeyondThePlayListPlaysTheCurrentTrackFromItsStart) {
  Ready();
  form->CD->PlayList()->Clear();
  for (const char* t : {"4", "2"}) form->CD->PlayList()->Add(t);
  form->CD->CueIndex(1);
  loop.Advance(100);
  form->List1->UserSelect(9);
  EXPECT_EQ(form->CD->PlayIndexPos(), 1);
  EXPECT_EQ(form->CD->CurrentTrack(), 2);
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
}

TEST_F(TransportTest, RandomShufflesAndBackRestoresDiscOrder) {
  Ready();
  form->CD->PlayIndex(3);
  form->Cmb_RndClick(nullptr);
  EXPECT_TRUE(form->RndOn());
  EXPECT_EQ(form->Label_Rand->Font()->Color(), clLime);
  EXPECT_TRUE(form->CD->ShufflePlay());
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  EXPECT_EQ(form->CD->PlayIndexPos(), 0);
  EXPECT_EQ(form->CD->CurrentTrack(), std::stoi(form->CD->PlayList()->Strings(0)));
  EXPECT_EQ(Lamps(), "bRb");
  auto sorted = form->CD->PlayList()->Items();
  std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return std::stoi(a) < std::stoi(b); });
  EXPECT_EQ(sorted.size(), 12u);
  EXPECT_EQ(sorted.front(), "1");
  EXPECT_EQ(sorted.back(), "12");
  EXPECT_EQ(form->List1->Items()->Strings(0), "1") << "the list box keeps disc order";

  form->Cmb_RndClick(nullptr);
  EXPECT_FALSE(form->RndOn());
  EXPECT_EQ(form->Label_Rand->Font()->Color(), clSilver);
  EXPECT_EQ(form->CD->PlayList()->Strings(0), "1");
  EXPECT_EQ(form->CD->PlayList()->Strings(11), "12");
  EXPECT_EQ(form->CD->CurrentTrack(), 1);
}

TEST_F(TransportTest, RandomWithoutADiscFlipsTheLampAndReportsTheEmptyList) {
  Ready("sim:none");
  // Dispatched as the native button's click is, so the error reaches the application's report.
  platform::DispatchSafely([&] { form->Cmb_Rnd->Click(); });
  EXPECT_TRUE(form->RndOn());
  EXPECT_EQ(form->Label_Rand->Font()->Color(), clLime);
  ASSERT_EQ(boxes.All().size(), 1u);
  EXPECT_EQ(boxes.All()[0].text, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0).");
  EXPECT_EQ(boxes.All()[0].type, MB_OK | MB_ICONERROR);
}

}  // namespace
