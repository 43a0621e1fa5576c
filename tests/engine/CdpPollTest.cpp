// The 200 ms poll: discs coming and going, intro play, the time event, and what the poll
// costs in device traffic.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/TempDir.h"

namespace {

class CdpPollTest : public EngineTest {
 protected:
  int inserts = 0, exits = 0, times = 0;
  std::string sim;  // the folder of the drives' control files, where a test uses one

  // Replaces drive D's control file whole, as a script steering the drive would.
  void Steer(const std::string& text) const {
    const std::string temp = sim + "/steer.tmp";
    std::ofstream(temp, std::ios::binary) << text;
    std::error_code error;
    std::filesystem::rename(temp, sim + "/D.state", error);
    ASSERT_FALSE(error) << error.message();
  }
  void Count() {
    cd->OnCDInsert = [this](TObject* s) {
      EXPECT_EQ(s, cd);
      ++inserts;
    };
    cd->OnCDExit = [this](TObject*) { ++exits; };
    cd->OnTime = [this](TObject*) { ++times; };
  }
};

TEST_F(CdpPollTest, ADiscAlreadyInTheDriveIsAnnouncedOnTheSixthTick) {
  MakeEngine();
  Count();
  cd->Open(0);
  loop.Advance(1000);
  EXPECT_EQ(inserts, 0);
  EXPECT_TRUE(cd->PlayList()->Items().empty());
  loop.Advance(200);
  EXPECT_EQ(inserts, 1);
  EXPECT_TRUE(cd->DiscKnown());
  std::vector<std::string> expected;
  for (int k = 1; k <= 12; ++k) expected.push_back(std::to_string(k));
  EXPECT_EQ(PlayListItems(), expected);
  loop.Advance(5000);
  EXPECT_EQ(inserts, 1) << "a known disc is announced once";
}

TEST_F(CdpPollTest, ADiscTakenOutIsNoticedOnTheNextTickAndTheListEmpties) {
  OpenWithDisc();
  Count();
  cd->PlayIndex(0);
  loop.Advance(1000);
  Drive().RemoveDisc();
  loop.Advance(200);
  EXPECT_EQ(exits, 1);
  EXPECT_FALSE(cd->DiscKnown());
  EXPECT_TRUE(PlayListItems().empty());
  // Another disc goes in: it is announced within six ticks, with its own tracks.
  Drive().InsertDisc(platform::cd::VirtualDisc::Parse("0:30,0:40,0:50"));
  EXPECT_TRUE(loop.AdvanceUntil([&] { return inserts == 1; }, 1200, 200));
  EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(CdpPollTest, AnOpenDoorCountsAsNoDiscAndClosingItBringsTheDiscBack) {
  OpenWithDisc();
  Count();
  cd->Eject(true);
  loop.Advance(200);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(cd->GetMode(), cpmOpen);
  Drive().CloseDoor();
  loop.Advance(1200);
  EXPECT_EQ(inserts, 1);
  EXPECT_EQ(cd->PlayList()->Count(), 12);
}

TEST_F(CdpPollTest, WhileNoDiscIsKnownFiveTicksOfSixAskNothing) {
  MakeEngine("sim:none");
  cd->Open(0);
  auto& rec = Record();
  for (int cycle = 0; cycle < 3; ++cycle) {
    for (int tick = 1; tick <= 6; ++tick) {
      rec.Clear();
      loop.Advance(200);
      if (tick < 6) {
        EXPECT_TRUE(rec.calls.empty()) << "tick " << tick << ":\n" << rec.Describe();
      } else {
        ASSERT_EQ(rec.calls.size(), 1u) << rec.Describe();
        EXPECT_EQ(rec.calls[0].item, MCI_STATUS_READY);
      }
    }
  }
  EXPECT_EQ(cd->CurrentTrack(), 1);
}

TEST_F(CdpPollTest, APlayingTickAsksReadinessModeAndAtMostTwoPositionsAndALength) {
  OpenWithDisc();
  cd->SetIntroPlay(true);
  cd->SetIntroTime(1000);
  cd->SetNotifyAt(1000);
  cd->PlayIndex(0);
  auto& rec = Record();
  for (int tick = 0; tick < 20; ++tick) {
    rec.Clear();
    loop.Advance(200);
    EXPECT_EQ(rec.CountStatus(MCI_STATUS_READY), 1);
    EXPECT_EQ(rec.CountStatus(MCI_STATUS_MODE), 1);
    EXPECT_LE(rec.CountStatus(MCI_STATUS_POSITION), 2);
    EXPECT_LE(rec.CountStatus(MCI_STATUS_LENGTH), 1);
    EXPECT_EQ(rec.calls.size(), 4u) << rec.Describe();
  }
  // Stopped, a tick asks readiness and mode only.
  cd->Stop();
  rec.Clear();
  loop.Advance(200);
  EXPECT_EQ(rec.calls.size(), 2u) << rec.Describe();
}

TEST_F(CdpPollTest, IntroPlayMovesOnFromElevenSecondsWithTenSecondsSet) {
  OpenWithDisc();
  cd->SetIntroPlay(true);
  cd->SetIntroTime(10);
  cd->PlayIndex(0);
  // Ticks come every 200 ms after the one at which play started.
  loop.Advance(10800);
  EXPECT_EQ(cd->CurrentTrack(), 1);
  EXPECT_EQ(cd->GetTrackPosition(), 10);
  loop.Advance(200);
  EXPECT_EQ(cd->CurrentTrack(), 2) << "at 11 s the elapsed whole seconds exceed 10";
  EXPECT_EQ(cd->PlayIndexPos(), 1);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
}

TEST_F(CdpPollTest, AnIntroTimeOfZeroMovesOnOnceASecondHasPassed) {
  OpenWithDisc();
  cd->SetIntroPlay(true);
  cd->SetIntroTime(0);
  cd->PlayIndex(0);
  loop.Advance(800);
  EXPECT_EQ(cd->CurrentTrack(), 1);
  loop.Advance(200);
  EXPECT_EQ(cd->CurrentTrack(), 2);
}

TEST_F(CdpPollTest, IntroPlayAtTheLastEntryEndsStoppedAtTheFirst) {
  OpenWithDisc("sim:0:30,0:30,0:30");
  cd->SetIntroPlay(true);
  cd->SetIntroTime(2);
  cd->PlayIndex(0);
  loop.Advance(3000);
  EXPECT_EQ(cd->CurrentTrack(), 2);
  loop.Advance(3000);
  EXPECT_EQ(cd->CurrentTrack(), 3);
  loop.Advance(3000);
  EXPECT_EQ(cd->PlayIndexPos(), 0);
  EXPECT_EQ(cd->CurrentTrack(), 1);
  EXPECT_EQ(cd->GetMode(), cpmStopped);
}

TEST_F(CdpPollTest, TheTimeEventFiresOncePerAssignmentNotPerTrack) {
  OpenWithDisc("sim:0:40,0:40,0:40");
  Count();
  cd->SetNotifyAt(30);
  cd->PlayIndex(0);
  loop.Advance(29800);
  EXPECT_EQ(times, 0);
  loop.Advance(400);
  EXPECT_EQ(times, 1);
  loop.Advance(45000);  // well into track 2, past its 30 s
  EXPECT_EQ(cd->CurrentTrack(), 2);
  EXPECT_EQ(times, 1);
  cd->SetNotifyAt(30);  // assigning again, even the same value, arms it again
  loop.Advance(1000);
  EXPECT_EQ(times, 2);
}

TEST_F(CdpPollTest, NoTimeEventWithNotifyAtZero) {
  OpenWithDisc("sim:0:40,0:40");
  Count();
  cd->SetNotifyAt(0);
  cd->PlayIndex(0);
  loop.Advance(80000);
  EXPECT_EQ(times, 0);
}

TEST_F(CdpPollTest, ATickIsSkippedWhileTheEngineIsClosed) {
  MakeEngine();
  Count();
  auto& rec = Record();
  loop.Advance(5000);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(inserts, 0);
}

TEST_F(CdpPollTest, ChangingTheDriveAnnouncesTheNewDiscOnTheFirstTick) {
  OpenWithDisc("sim;sim:0:30,0:40,0:50");
  Count();
  cd->PlayIndex(4);
  cd->Close();
  cd->Open(1);
  EXPECT_FALSE(cd->DiscKnown());
  EXPECT_EQ(PlayListItems().size(), 12u) << "the list stays until the first tick";
  EXPECT_EQ(cd->PlayIndexPos(), 4);
  loop.Advance(200);
  EXPECT_EQ(inserts, 1);
  EXPECT_EQ(exits, 0);
  EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"1", "2", "3"}));
  loop.Advance(5000);
  EXPECT_EQ(inserts, 1) << "the new disc is announced once";
}

// The old drive's tracks must not stand for a drive that has no disc: the first tick
// lets go of them, and a disc put in later is announced as usual.
TEST_F(CdpPollTest, ChangingToAnEmptyDriveLetsGoOfTheOldTracksOnTheFirstTick) {
  OpenWithDisc("sim;sim:none");
  Count();
  cd->Close();
  cd->Open(1);
  loop.Advance(200);
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(PlayListItems().empty());
  EXPECT_FALSE(cd->DiscKnown());
  loop.Advance(5000);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(inserts, 0);
  Drive('E').InsertDisc(platform::cd::VirtualDisc::Parse("0:30,0:40"));
  EXPECT_TRUE(loop.AdvanceUntil([&] { return inserts == 1; }, 2000, 200));
  EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"1", "2"}));
}

TEST_F(CdpPollTest, ChangingBetweenEmptyDrivesSaysNothing) {
  MakeEngine("sim:none;sim:none");
  Count();
  cd->Open(0);
  loop.Advance(2000);
  cd->Close();
  cd->Open(1);
  loop.Advance(5000);
  EXPECT_EQ(inserts, 0);
  EXPECT_EQ(exits, 0);
}

// A disc swapped in one step (the control file names another disc, or the door opens and
// closes between two polls) is seen as the old disc going and the new one coming.
TEST_F(CdpPollTest, ADiscSwappedBetweenTwoPollsIsSeen) {
  const struct {
    const char* what;
    std::function<void()> swap;
  } cases[] = {
      {"control file names another disc", [this] { Steer("door=closed\ndisc=0:30,0:40,0:50\n"); }},
      {"control file: door opened, disc changed, door closed",
       [this] {
         Steer("door=open\n");
         ASSERT_FALSE(Drive().Ready());
         Steer("door=closed\ndisc=0:30,0:40,0:50\n\n");
       }},
      {"disc swapped by hand", [this] { Drive().InsertDisc(platform::cd::VirtualDisc::Parse("0:30,0:40,0:50")); }},
      {"door opened and closed by hand on another disc",
       [this] {
         Drive().OpenDoor();
         Drive().InsertDisc(platform::cd::VirtualDisc::Parse("0:30,0:40,0:50"));
         Drive().CloseDoor();
       }},
  };
  for (const auto& c : cases) {
    owner = std::make_unique<TComponent>(nullptr);  // the engine of the case before goes
    TempDir dir;
    sim = dir.Path();
    platform::cd::CdCommandLayer::Instance().Reset();
    platform::DriveTable::Instance().Configure("sim", sim);
    cd = new TCDP(owner.get());
    inserts = exits = 0;
    Count();
    cd->Open(0);
    loop.Advance(1200);
    ASSERT_EQ(inserts, 1) << c.what;
    cd->PlayIndex(2);
    loop.Advance(300);
    c.swap();
    EXPECT_TRUE(loop.AdvanceUntil([&] { return inserts == 2; }, 3000, 200)) << c.what;
    EXPECT_EQ(exits, 1) << c.what;
    EXPECT_EQ(PlayListItems(), (std::vector<std::string>{"1", "2", "3"})) << c.what;
  }
}

TEST_F(CdpPollTest, AHandlerThatThrowsDoesNotLeaveThePollBlocked) {
  OpenWithDisc();
  Drive().RemoveDisc();
  cd->OnCDExit = [](TObject*) { throw std::runtime_error("handler failed"); };
  EXPECT_THROW(loop.Advance(200), std::runtime_error);
  Count();
  Drive().InsertDisc(platform::cd::VirtualDisc::Demo());
  loop.Advance(1200);
  EXPECT_EQ(inserts, 1);
}

}  // namespace
