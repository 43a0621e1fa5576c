// What the engine sends to the device for each operation, seen through a recording device.
#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "tests/engine/EngineFixture.h"

namespace {

class CdpCommandsTest : public EngineTest {};

TEST_F(CdpCommandsTest, ListsOnlyTheCdRomDrivesInLetterOrder) {
  EXPECT_EQ(MakeEngine("sim;sim:none;sim:0:05").DriveList()->Items(), (std::vector<std::string>{"D:", "E:", "F:"}));
  delete cd;
  EXPECT_EQ(MakeEngine("none").DriveList()->Count(), 0);
}

TEST_F(CdpCommandsTest, OpenSendsOpenByTypeIdThenSwitchesToTmsf) {
  MakeEngine("sim;sim");
  auto& rec = Record();
  cd->Open(1);
  ASSERT_EQ(rec.calls.size(), 2u) << rec.Describe();
  const MciCall& open = rec.calls[0];
  EXPECT_EQ(open.device, 0u);
  EXPECT_EQ(open.command, MCI_OPEN);
  EXPECT_EQ(open.flags, MCI_WAIT | MCI_OPEN_ELEMENT | MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID);
  EXPECT_EQ(open.deviceType, MCI_DEVTYPE_CD_AUDIO);
  EXPECT_EQ(open.element, "E:");
  EXPECT_EQ(open.callback, 0u);
  const MciCall& set = rec.calls[1];
  EXPECT_EQ(set.command, MCI_SET);
  EXPECT_EQ(set.flags, MCI_WAIT | MCI_SET_TIME_FORMAT);
  EXPECT_EQ(set.timeFormat, MCI_FORMAT_TMSF);
  EXPECT_EQ(set.device, open.openedId);
  EXPECT_EQ(cd->DeviceID(), open.openedId);
  EXPECT_EQ(cd->LastError(), 0u);
}

TEST_F(CdpCommandsTest, OpenOutsideTheDriveListRaisesBeforeSendingAnything) {
  MakeEngine("none");
  auto& rec = Record();
  try {
    cd->Open(0);
    FAIL() << "no error raised";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (0)");
  }
  EXPECT_THROW(cd->Open(-1), EStringListError);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(cd->DeviceID(), 0);
}

TEST_F(CdpCommandsTest, FailedOpenLeavesTheEngineClosedAndInert) {
  MakeEngine();
  auto& rec = Record();
  rec.script = [](UINT msg, DWORD, DWORD_PTR) -> std::optional<MCIERROR> {
    if (msg == MCI_OPEN) return MCIERR_HARDWARE;
    return std::nullopt;
  };
  cd->Open(0);
  EXPECT_EQ(cd->DeviceID(), 0);
  EXPECT_EQ(cd->LastError(), MCIERR_HARDWARE);
  ASSERT_EQ(rec.calls.size(), 1u) << "no time format is set on a device that is not open";
  cd->PlayIndex(0);
  cd->Pause();
  loop.Advance(5000);
  EXPECT_EQ(rec.calls.size(), 1u) << rec.Describe();
}

TEST_F(CdpCommandsTest, WithoutADeviceQueriesAnswerNeutrallyAndNothingIsSent) {
  MakeEngine();
  auto& rec = Record();
  EXPECT_EQ(cd->GetMode(), cpmNotReady);
  EXPECT_FALSE(cd->GetReady());
  EXPECT_EQ(cd->GetTrack(), 0);
  EXPECT_EQ(cd->GetTrackCount(), 0);
  EXPECT_EQ(cd->GetTrackLength(1), 0);
  EXPECT_EQ(cd->GetTrackLengthRaw(1), 0u);
  EXPECT_EQ(cd->GetTrackStart(1), 0u);
  EXPECT_EQ(cd->GetPosition(), 0u);
  EXPECT_EQ(cd->GetTrackPosition(), 0);
  EXPECT_EQ(cd->GetTimeText(), "");
  EXPECT_EQ(cd->GetPlayListLength(), 0);
  cd->Close();
  cd->Eject(true);
  cd->Stop();
  cd->MciPause();
  cd->MciStop();
  cd->SeekTo(Tmsf(2));
  cd->PlayFrom(Tmsf(2));
  EXPECT_TRUE(rec.calls.empty()) << rec.Describe();
}

TEST_F(CdpCommandsTest, PlayIndexAsksForTheStartAndPlaysToTheEndOfTheTrack) {
  OpenWithDisc();
  auto& rec = Record();
  cd->PlayIndex(2);
  ASSERT_EQ(rec.calls.size(), 4u) << rec.Describe();
  EXPECT_EQ(rec.calls[0].command, MCI_STATUS);
  EXPECT_EQ(rec.calls[0].flags, MCI_STATUS_ITEM | MCI_TRACK);
  EXPECT_EQ(rec.calls[0].item, MCI_STATUS_POSITION);
  EXPECT_EQ(rec.calls[0].track, 3u);
  EXPECT_EQ(rec.calls[1].item, MCI_STATUS_LENGTH);
  EXPECT_EQ(rec.calls[1].track, 3u);
  EXPECT_EQ(rec.calls[2].flags, MCI_STATUS_ITEM);
  EXPECT_EQ(rec.calls[2].item, MCI_STATUS_NUMBER_OF_TRACKS);
  const MciCall& play = rec.calls[3];
  EXPECT_EQ(play.command, MCI_PLAY);
  EXPECT_EQ(play.flags, MCI_NOTIFY | MCI_FROM | MCI_TO);
  EXPECT_EQ(play.callback, HandleValue(cd->NotifyWnd()));
  EXPECT_EQ(play.from, Tmsf(3));
  EXPECT_EQ(play.to, Tmsf(3, 5, 21, 60)) << "the third demo track is 5:21.60 long";
  EXPECT_EQ(cd->CurrentTrack(), 3);
  EXPECT_EQ(cd->PlayIndexPos(), 2);
  EXPECT_EQ(cd->GetMode(), cpmPlaying);
}

TEST_F(CdpCommandsTest, TheLastTrackPlaysToTheEndOfTheDiscAndTheRecordsAreReused) {
  OpenWithDisc();
  auto& rec = Record();
  cd->PlayIndex(2);
  cd->PlayIndex(11);
  std::vector<MciCall> plays;
  for (const auto& c : rec.calls)
    if (c.command == MCI_PLAY) plays.push_back(c);
  ASSERT_EQ(plays.size(), 2u) << "one play command per entry, never repeated";
  EXPECT_EQ(plays[1].flags, MCI_NOTIFY | MCI_FROM);
  EXPECT_EQ(plays[1].from, Tmsf(12));
  EXPECT_EQ(plays[1].record, plays[0].record);
  EXPECT_EQ(plays[1].to, Tmsf(3, 5, 21, 60)) << "the play record keeps the earlier end";
  // Every status query goes through the one status record, whose track field stays set.
  DWORD_PTR statusRecord = 0;
  for (const auto& c : rec.calls) {
    if (c.command != MCI_STATUS) continue;
    if (statusRecord == 0) statusRecord = c.record;
    EXPECT_EQ(c.record, statusRecord);
  }
  rec.Clear();
  cd->GetTrackLength(5);
  cd->GetMode();
  ASSERT_EQ(rec.calls.size(), 2u);
  EXPECT_EQ(rec.calls[1].flags, MCI_STATUS_ITEM);
  EXPECT_EQ(rec.calls[1].item, MCI_STATUS_MODE);
  EXPECT_EQ(rec.calls[1].track, 5u) << "a field a query does not set keeps its old value";
}

TEST_F(CdpCommandsTest, PauseAndResumeSendPauseThenPlayFromTheCurrentPosition) {
  OpenWithDisc();
  cd->PlayIndex(0);
  loop.Advance(3000);
  auto& rec = Record();
  cd->Pause();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].command, MCI_PAUSE);
  EXPECT_EQ(rec.calls[0].flags, MCI_WAIT);
  EXPECT_EQ(rec.calls[0].callback, 0u);
  EXPECT_TRUE(cd->Paused());
  rec.Clear();
  EXPECT_EQ(cd->GetMode(), cpmPaused);
  EXPECT_TRUE(rec.calls.empty()) << "while paused the mode is answered without asking";
  loop.Advance(2000);
  rec.Clear();
  cd->Pause();
  ASSERT_GE(rec.calls.size(), 2u);
  EXPECT_EQ(rec.calls[0].item, MCI_STATUS_POSITION);
  EXPECT_EQ(rec.calls[0].flags, MCI_STATUS_ITEM);
  const MciCall& play = rec.calls.back();
  EXPECT_EQ(play.command, MCI_PLAY);
  EXPECT_EQ(play.from, Tmsf(1, 0, 3, 0)) << "resumes where it paused, 3 s in";
  EXPECT_FALSE(cd->Paused());
}

TEST_F(CdpCommandsTest, DeviceModesMapToEngineModes) {
  OpenWithDisc();
  auto& rec = Record();
  DWORD mode = 0;
  rec.script = [&mode](UINT msg, DWORD, DWORD_PTR param) -> std::optional<MCIERROR> {
    if (msg != MCI_STATUS) return std::nullopt;
    reinterpret_cast<MCI_STATUS_PARMS*>(param)->dwReturn = mode;
    return 0;
  };
  const std::pair<DWORD, TCDPMode> table[] = {{MCI_MODE_PLAY, cpmPlaying},       {MCI_MODE_STOP, cpmStopped},
                                              {MCI_MODE_SEEK, cpmSeeking},       {MCI_MODE_OPEN, cpmOpen},
                                              {MCI_MODE_NOT_READY, cpmNotReady}, {MCI_MODE_PAUSE, cpmNotReady},
                                              {MCI_MODE_RECORD, cpmNotReady},    {12345, cpmNotReady}};
  for (const auto& [device, expected] : table) {
    mode = device;
    EXPECT_EQ(cd->GetMode(), expected) << "device mode " << device;
  }
  // Readiness is the low byte of the answer.
  mode = 0x100;
  EXPECT_FALSE(cd->GetReady());
  mode = 0x101;
  EXPECT_TRUE(cd->GetReady());
}

TEST_F(CdpCommandsTest, AFailedQueryAnswersZeroNotAnEarlierAnswer) {
  OpenWithDisc();
  ASSERT_EQ(cd->GetTrackCount(), 12);
  ASSERT_EQ(cd->GetTrackLength(2), 228);
  Drive().OpenDoor();
  EXPECT_EQ(cd->GetTrackCount(), 0);
  EXPECT_EQ(cd->LastError(), MCIERR_DEVICE_NOT_READY);
  EXPECT_EQ(cd->GetTrackLength(2), 0);
  EXPECT_EQ(cd->GetPosition(), 0u);
  EXPECT_FALSE(cd->GetReady());
  EXPECT_EQ(cd->LastError(), 0u) << "readiness itself can be asked without a disc";
}

TEST_F(CdpCommandsTest, TrackLengthDropsFramesAndTrackPositionFollowsTheCurrentTrack) {
  OpenWithDisc();
  EXPECT_EQ(cd->GetTrackLengthRaw(8), MCI_MAKE_MSF(4, 33, 74));
  EXPECT_EQ(cd->GetTrackLength(8), 273) << "4:33 and 74 frames counts as 273 s";

  auto& rec = Record();
  DWORD position = 0;
  rec.script = [&position](UINT msg, DWORD, DWORD_PTR param) -> std::optional<MCIERROR> {
    auto* p = reinterpret_cast<MCI_STATUS_PARMS*>(param);
    if (msg != MCI_STATUS || p->dwItem != MCI_STATUS_POSITION) return std::nullopt;
    p->dwReturn = position;
    return 0;
  };
  cd->CueTrack(5);
  ASSERT_EQ(cd->CurrentTrack(), 5);
  position = Tmsf(5, 1, 5, 74);
  EXPECT_EQ(cd->GetTrackPosition(), 65);
  position = Tmsf(4, 3, 0, 0);
  EXPECT_EQ(cd->GetTrackPosition(), 0);
  position = Tmsf(6, 0, 7, 0);
  EXPECT_EQ(cd->GetTrackPosition(), 4 * 60 + 55 - 7) << "the track's length less the seconds byte";
}

TEST_F(CdpCommandsTest, SeekTriesAtMostThreeTimesAndNotAtAllWhenAlreadyThere) {
  OpenWithDisc();
  auto& rec = Record();
  cd->SeekTo(Tmsf(1));
  EXPECT_EQ(rec.Count(MCI_SEEK), 0) << rec.Describe();
  EXPECT_EQ(rec.Count(MCI_STOP), 1);

  rec.Clear();
  cd->SeekTo(Tmsf(4));
  ASSERT_EQ(rec.Count(MCI_SEEK), 1) << rec.Describe();
  for (const auto& c : rec.calls)
    if (c.command == MCI_SEEK) {
      EXPECT_EQ(c.flags, MCI_TO | MCI_WAIT);
      EXPECT_EQ(c.to, Tmsf(4));
    }

  // A drive that never lands where it is sent.
  rec.Clear();
  rec.script = [](UINT msg, DWORD, DWORD_PTR) -> std::optional<MCIERROR> {
    if (msg == MCI_SEEK) return 0;
    return std::nullopt;
  };
  cd->SeekTo(Tmsf(7));
  EXPECT_EQ(rec.Count(MCI_SEEK), 3) << rec.Describe();
  EXPECT_EQ(rec.CountStatus(MCI_STATUS_POSITION), 4);
  EXPECT_EQ(cd->CurrentTrack(), 7);
}

TEST_F(CdpCommandsTest, DestroyClosesTheDeviceWithoutStoppingOrTouchingTheDoor) {
  OpenWithDisc();
  cd->PlayIndex(0);
  auto& rec = Record();
  delete cd;
  cd = nullptr;
  ASSERT_EQ(rec.calls.size(), 1u) << rec.Describe();
  EXPECT_EQ(rec.calls[0].command, MCI_CLOSE);
  EXPECT_EQ(rec.calls[0].flags, MCI_WAIT);
  EXPECT_FALSE(Drive().DoorOpen());
}

}  // namespace
