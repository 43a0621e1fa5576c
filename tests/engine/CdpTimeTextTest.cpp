// The time display text in its five modes.
#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "tests/engine/EngineFixture.h"

namespace {

class CdpTimeTextTest : public EngineTest {
 protected:
  std::string In(TCDPTimeMode mode) {
    cd->SetTimeMode(mode);
    return cd->GetTimeText();
  }
};

TEST_F(CdpTimeTextTest, TrackThreeAtOneMinuteFiveInEveryMode) {
  OpenWithDisc("sim:4:00,3:30,5:00");
  cd->PlayIndex(2);
  loop.Advance(65000);
  EXPECT_EQ(In(cdpTrackPast), "01:05");
  EXPECT_EQ(In(cdpTrackLeft), "03:55");
  EXPECT_EQ(In(cdpTotalPast), "08:35");
  EXPECT_EQ(In(cdpTotalLeft), "03:55");
  EXPECT_EQ(In(cdpNone), "");
  EXPECT_EQ(cd->GetPlayListLength(), 12 * 60 + 30);
}

TEST_F(CdpTimeTextTest, WithShuffleTheTotalCountsTheEntriesBeforeTheCursor) {
  OpenWithDisc("sim:1:00,2:00,3:00,4:00,5:00,6:00,7:00");
  cd->SetShufflePlay(true);
  cd->PlayList()->Clear();
  for (const char* t : {"5", "2", "7"}) cd->PlayList()->Add(t);
  cd->PlayIndex(2);
  loop.Advance(10000);
  EXPECT_EQ(In(cdpTotalPast), "07:10");
  EXPECT_EQ(In(cdpTotalLeft), "06:50");
  EXPECT_EQ(In(cdpTrackLeft), "06:50");
}

TEST_F(CdpTimeTextTest, APositionInAnEarlierTrackCountsAsNothingElapsed) {
  OpenWithDisc("sim:4:00,3:30,5:00");
  cd->CueTrack(3);
  auto& rec = Record();
  rec.script = [](UINT msg, DWORD flags, DWORD_PTR param) -> std::optional<MCIERROR> {
    auto* p = reinterpret_cast<MCI_STATUS_PARMS*>(param);
    if (msg != MCI_STATUS || p->dwItem != MCI_STATUS_POSITION || (flags & MCI_TRACK)) return std::nullopt;
    p->dwReturn = Tmsf(2, 1, 20, 0);
    return 0;
  };
  EXPECT_EQ(In(cdpTrackPast), "00:00");
  EXPECT_EQ(In(cdpTrackLeft), "05:00");
  EXPECT_EQ(In(cdpTotalPast), "07:30");
  EXPECT_EQ(In(cdpTotalLeft), "05:00");
}

TEST_F(CdpTimeTextTest, AHundredMinuteTotalShowsAllItsDigits) {
  OpenWithDisc("sim:10:30,10:30,10:30,10:30,10:30,10:30,10:30,10:30,10:30,10:30");
  cd->CueFirst();
  EXPECT_EQ(In(cdpTotalLeft), "105:00");
  cd->PlayIndex(9);
  loop.Advance(5 * 60000);
  EXPECT_EQ(In(cdpTotalPast), "99:30");
  loop.Advance(60000);
  EXPECT_EQ(In(cdpTotalPast), "100:30");
  EXPECT_EQ(In(cdpTotalLeft), "04:30");
}

TEST_F(CdpTimeTextTest, ARemainingTimeNeverShowsBelowZero) {
  OpenWithDisc("sim:4:00,3:30,5:00");
  // A program of track 1 only, while track 3 plays: the tracks below 3 already
  // exceed the program's length.
  cd->PlayList()->Clear();
  cd->PlayList()->Add("1");
  cd->PlayFrom(Tmsf(3));
  loop.Advance(20000);
  EXPECT_EQ(In(cdpTotalLeft), "00:00");
  EXPECT_EQ(In(cdpTotalPast), "07:50");
}

TEST_F(CdpTimeTextTest, TheFormatIsTheComponentsOwnAndUnsafeOnesAreRefused) {
  OpenWithDisc("sim:4:00,3:30,5:00");
  cd->PlayIndex(0);
  loop.Advance(65000);
  cd->SetTimeFormat("%d分%.2d秒 %%");
  EXPECT_EQ(In(cdpTrackPast), "1分05秒 %");
  for (const char* bad : {"%s:%s", "%.2d:%.2d:%.2d", "%n", "%f"}) {
    cd->SetTimeFormat(bad);
    EXPECT_THROW(cd->GetTimeText(), EConvertError) << bad;
  }
}

TEST_F(CdpTimeTextTest, EachCallAsksTheDeviceAfresh) {
  OpenWithDisc("sim:4:00,3:30,5:00");
  cd->PlayIndex(2);
  auto& rec = Record();
  In(cdpTrackPast);
  EXPECT_EQ(rec.calls.size(), 1u);
  rec.Clear();
  In(cdpTotalLeft);
  // One position, two lengths below track 3, and three for the play list.
  EXPECT_EQ(rec.CountStatus(MCI_STATUS_POSITION), 1);
  EXPECT_EQ(rec.CountStatus(MCI_STATUS_LENGTH), 5);
}

}  // namespace
