// Playing along the play list on the simulated drive: moving by itself at the end of each
// play, the end of the list, cueing, the cursor's bounds and the errors of bad entries.
#include <gtest/gtest.h>

#include <map>

#include "framework/Exceptions.h"
#include "tests/engine/EngineFixture.h"

namespace {

class CdpPlaybackTest : public EngineTest {
 protected:
  void SetList(std::initializer_list<const char*> items) {
    cd->PlayList()->Clear();
    for (const char* s : items) cd->PlayList()->Add(s);
  }
};

TEST_F(CdpPlaybackTest, AFinishedPlayGivesOneNotificationAndTheNextEntryStartsByItself) {
  OpenWithDisc("sim:0:05,0:06,0:04");
  auto& rec = Record();
  int songChanges = 0;
  cd->OnSongChange = [&](TObject*) { ++songChanges; };
  cd->PlayIndex(0);
  loop.Advance(5100);
  EXPECT_EQ(cd->CurrentTrack(), 2);
  EXPECT_EQ(cd->PlayIndexPos(), 1);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
  // Had the end of track 1 been told twice, track 3 would be playing by now.
  EXPECT_EQ(rec.Count(MCI_PLAY), 2) << rec.Describe();
  EXPECT_EQ(songChanges, 1);
}

TEST_F(CdpPlaybackTest, TheEndOfTheListStopsAtTheFirstEntryWithoutRepeat) {
  OpenWithDisc("sim:0:05,0:06,0:04");
  cd->PlayIndex(0);
  loop.Advance(16000);
  EXPECT_EQ(cd->GetMode(), cpmStopped);
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  EXPECT_EQ(cd->CurrentTrack(), 1);
  EXPECT_EQ(cd->GetPosition(), Tmsf(1));
  loop.Advance(10000);
  EXPECT_EQ(cd->GetMode(), cpmStopped) << "nothing starts again by itself";
}

TEST_F(CdpPlaybackTest, TheEndOfTheListStartsAgainWithRepeat) {
  OpenWithDisc("sim:0:05,0:06,0:04");
  cd->SetRepeatPlay(true);
  cd->PlayIndex(0);
  loop.Advance(16000);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
  EXPECT_EQ(cd->CurrentTrack(), 1);
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  loop.Advance(5000);
  EXPECT_EQ(cd->CurrentTrack(), 2);
}

TEST_F(CdpPlaybackTest, TheLastTrackPlaysToTheEndOfTheDisc) {
  OpenWithDisc("sim:0:05,0:06,0:04");
  SetList({"3"});
  cd->PlayIndex(0);
  loop.Advance(3900);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
  loop.Advance(200);
  EXPECT_EQ(cd->GetMode(), cpmStopped);
  EXPECT_EQ(cd->CurrentTrack(), 3);
}

TEST_F(CdpPlaybackTest, AProgramWithARepeatedTrackPlaysItTwice) {
  OpenWithDisc("sim:0:05,0:06,0:04");
  SetList({"2", "2", "1"});
  cd->PlayIndex(0);
  loop.Advance(6100);
  EXPECT_EQ(cd->PlayIndexPos(), 1);
  EXPECT_EQ(cd->CurrentTrack(), 2);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
  loop.Advance(6100);
  EXPECT_EQ(cd->CurrentTrack(), 1);
}

TEST_F(CdpPlaybackTest, NextAndPreviousStopAtTheEndsOfTheList) {
  OpenWithDisc();
  cd->PlayIndex(11);
  cd->PlayNext();
  EXPECT_EQ(cd->PlayIndexPos(), 11);
  EXPECT_EQ(cd->CurrentTrack(), 12);
  cd->CueIndex(0);
  cd->PlayPrevious();
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  cd->CuePrevious();
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  EXPECT_EQ(cd->GetMode(), cpmStopped);
  cd->PlayNext();
  EXPECT_EQ(cd->CurrentTrack(), 2);
  cd->PlayPrevious();
  EXPECT_EQ(cd->CurrentTrack(), 1);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
}

TEST_F(CdpPlaybackTest, CueNextLandsOnTheFirstEntryHoldingTheTrack) {
  OpenWithDisc();
  SetList({"3", "1", "3"});
  cd->CueIndex(1);
  cd->CueNext();
  EXPECT_EQ(cd->CurrentTrack(), 3);
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  EXPECT_EQ(cd->GetPosition(), Tmsf(3));
  EXPECT_EQ(cd->GetMode(), cpmStopped);
}

TEST_F(CdpPlaybackTest, CueTrackOfATrackNotListedLeavesTheCursorBeforeTheFirstEntry) {
  OpenWithDisc();
  SetList({"4", "6"});
  cd->CueIndex(1);
  auto& rec = Record();
  cd->CueTrack(9);
  EXPECT_EQ(cd->PlayIndexPos(), -1);
  EXPECT_TRUE(rec.calls.empty());
  cd->CueNext();
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  EXPECT_EQ(cd->CurrentTrack(), 4);
}

TEST_F(CdpPlaybackTest, IndexesBeyondTheListAreIgnoredAndNegativeOnesRaise) {
  OpenWithDisc();
  cd->CueIndex(3);
  auto& rec = Record();
  cd->PlayIndex(12);
  cd->CueIndex(40);
  EXPECT_EQ(cd->PlayIndexPos(), 3);
  EXPECT_TRUE(rec.calls.empty());
  try {
    cd->PlayIndex(-1);
    FAIL() << "no error raised";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (-1)");
  }
  EXPECT_EQ(cd->PlayIndexPos(), -1) << "the cursor has moved before the check";
  EXPECT_THROW(cd->CueIndex(-2), EStringListError);
  EXPECT_TRUE(rec.calls.empty()) << rec.Describe();
}

TEST_F(CdpPlaybackTest, CueFirstOnAnEmptyListRaisesTheIndexError) {
  OpenWithDisc();
  cd->PlayList()->Clear();
  try {
    cd->CueFirst();
    FAIL() << "no error raised";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0)");
  }
}

TEST_F(CdpPlaybackTest, AnEntryThatIsNoNumberRaisesTheConversionError) {
  OpenWithDisc();
  SetList({"2", "x7"});
  try {
    cd->PlayIndex(1);
    FAIL() << "no error raised";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x7' は整数ではありません");
  }
  cd->SetTimeMode(cdpTotalLeft);
  EXPECT_THROW(cd->GetTimeText(), EConvertError);
  EXPECT_THROW(cd->GetPlayListLength(), EConvertError);
}

TEST_F(CdpPlaybackTest, PauseToggles_StopClearsIt_AndCueFirstWhilePausedStaysPaused) {
  OpenWithDisc();
  cd->PlayIndex(2);
  loop.Advance(4000);
  cd->Pause();
  EXPECT_EQ(cd->GetMode(), cpmPaused);
  const DWORD held = cd->GetPosition();
  loop.Advance(3000);
  EXPECT_EQ(cd->GetPosition(), held);
  cd->CueFirst();
  EXPECT_EQ(cd->GetMode(), cpmPaused);
  cd->Play();
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
  EXPECT_EQ(cd->CurrentTrack(), 1) << "resumes from the first entry's start";
  cd->Pause();
  cd->Stop();
  EXPECT_FALSE(cd->Paused());
  EXPECT_EQ(cd->GetMode(), cpmStopped);
  // Pause from a stopped state marks the engine paused all the same.
  cd->Pause();
  EXPECT_EQ(cd->GetMode(), cpmPaused);
}

TEST_F(CdpPlaybackTest, NextWhilePausedStartsTheEntryAndKeepsThePausedFlag) {
  OpenWithDisc();
  cd->PlayIndex(0);
  cd->Pause();
  cd->PlayNext();
  EXPECT_TRUE(cd->Paused());
  EXPECT_EQ(cd->CurrentTrack(), 2);
}

TEST_F(CdpPlaybackTest, ShuffleFavoursNoOrder) {
  OpenWithDisc("sim:0:05,0:06,0:04");
  std::map<std::vector<std::string>, int> seen;
  const int rounds = 6000;
  for (int i = 0; i < rounds; ++i) {
    cd->Shuffle();
    ++seen[PlayListItems()];
  }
  ASSERT_EQ(seen.size(), 6u) << "every order of three tracks must be possible";
  // Each order expects 1000; the bounds lie far beyond any honest spread (about 30).
  for (const auto& [order, count] : seen) EXPECT_NEAR(count, rounds / 6, 200);
}

TEST_F(CdpPlaybackTest, ShuffleOfTwoTracksGivesBothOrdersAndKeepsTheCursor) {
  OpenWithDisc("sim:0:05,0:06");
  cd->CueIndex(1);
  auto& rec = Record();
  int swapped = 0;
  for (int i = 0; i < 400; ++i) {
    cd->Shuffle();
    swapped += PlayListItems() == std::vector<std::string>{"2", "1"};
  }
  EXPECT_GT(swapped, 100);
  EXPECT_LT(swapped, 300);
  EXPECT_EQ(cd->PlayIndexPos(), 1);
  EXPECT_EQ(rec.Count(MCI_PLAY) + rec.Count(MCI_SEEK) + rec.Count(MCI_STOP), 0);
}

TEST_F(CdpPlaybackTest, ShuffleOfOneTrackOrNoDiscKeepsTrackOrder) {
  OpenWithDisc("sim:0:05");
  cd->Shuffle();
  EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"1"}));
  Drive().RemoveDisc();
  cd->Shuffle();
  EXPECT_TRUE(PlayListItems().empty());
}

TEST_F(CdpPlaybackTest, ShufflePlayIsStoredOnlyWithADeviceAndOffRestoresTrackOrder) {
  MakeEngine();
  cd->SetShufflePlay(true);
  EXPECT_FALSE(cd->ShufflePlay());
  cd->Open(0);
  loop.Advance(1200);
  cd->SetShufflePlay(true);
  EXPECT_TRUE(cd->ShufflePlay());
  cd->Shuffle();
  cd->SetShufflePlay(false);
  EXPECT_EQ(PlayListItems().front(), "1");
  EXPECT_EQ(PlayListItems().back(), "12");
  EXPECT_EQ(PlayListItems().size(), 12u);
}

TEST_F(CdpPlaybackTest, PlayListAssignmentCopiesAndIgnoresItself) {
  MakeEngine();
  TStringList other;
  other.Add("5");
  other.Add("3");
  cd->SetPlayList(&other);
  other.Add("9");
  EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"5", "3"}));
  cd->SetPlayList(cd->PlayList());
  EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"5", "3"}));
}

TEST_F(CdpPlaybackTest, CloseKeepsThePlayState) {
  OpenWithDisc();
  cd->PlayIndex(3);
  cd->Close();
  EXPECT_EQ(cd->DeviceID(), 0);
  EXPECT_EQ(cd->PlayIndexPos(), 3);
  EXPECT_EQ(cd->PlayList()->Count(), 12);
  EXPECT_EQ(Drive().State(), platform::cd::AudioState::Stopped) << "closing stops the device's play";
}

}  // namespace
