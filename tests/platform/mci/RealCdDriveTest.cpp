// The real drive's logic against a drive made of data: what it asks libcdio, what it makes of
// the answers, and when it reports the end of a play, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/CdioAccess.h"
#include "platform/mci/Mmsystem.h"
#include "platform/mci/RealCdDrive.h"
#include "platform/messages/Messages.h"
#include "tests/support/PlatformFixture.h"

namespace {

using namespace platform::cd;

// A drive that answers from its fields and writes down every command that moves it.
class FakeCdio : public CdioAccess {
 public:
  // The disc: track starts as sector numbers, which of them are data, the lead-out.
  std::vector<std::int32_t> tracks{0, 375, 900};
  std::vector<int> dataTracks;
  std::int32_t leadOut = 1500;
  std::int32_t lastSession = 0;
  bool disc = true;                          // a readable disc is in
  bool vanished = false;                     // the device cannot even be opened
  MediaCheck media = MediaCheck::Unchanged;  // the next answer of MediaChanged, then Unchanged
  std::optional<Subchannel> sub = Subchannel{SubchannelStatus::NoStatus, {}};
  bool refuse = false;  // commands that move the drive fail
  int opens = 0;
  std::vector<std::string> calls;

  bool Open() override {
    if (vanished) return false;
    if (!open_) ++opens;
    open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  MediaCheck MediaChanged() override {
    if (!open_ || vanished) return MediaCheck::Failed;
    return std::exchange(media, MediaCheck::Unchanged);
  }
  std::optional<int> FirstTrack() override { return Readable() ? std::optional(1) : std::nullopt; }
  std::optional<int> TrackCount() override {
    return Readable() ? std::optional(static_cast<int>(tracks.size())) : std::nullopt;
  }
  std::optional<std::int32_t> TrackLsn(int track) override {
    if (!Readable()) return std::nullopt;
    if (track == kLeadOutTrack) return leadOut;
    return tracks.at(static_cast<std::size_t>(track - 1));
  }
  bool IsDataTrack(int track) override {
    return std::find(dataTracks.begin(), dataTracks.end(), track) != dataTracks.end();
  }
  std::optional<std::int32_t> LastSessionLsn() override { return lastSession; }
  bool PlayMsf(BcdMsf start, BcdMsf end) override { return Did("play " + Msf(start) + "-" + Msf(end)); }
  bool Pause() override { return Did("pause"); }
  bool Resume() override { return Did("resume"); }
  bool Stop() override { return Did("stop"); }
  std::optional<Subchannel> ReadSubchannel() override { return Readable() ? sub : std::nullopt; }
  bool Eject() override {
    open_ = false;
    return Did("eject");
  }
  bool CloseTray() override { return Did("close"); }
  DriveStatus tray = DriveStatus::Unknown;  // what the drive status request answers
  DriveStatus TrayAndDisc() override { return tray; }

  void Plays(Frame at) { sub = Subchannel{SubchannelStatus::Playing, ToBcdMsf(at)}; }
  void Says(SubchannelStatus s) { sub = Subchannel{s, sub ? sub->absolute : BcdMsf{}}; }

 private:
  bool Readable() const { return open_ && disc && !vanished; }
  bool Did(const std::string& call) {
    calls.push_back(refuse ? call + " (refused)" : call);
    return !refuse && !vanished;
  }
  static std::string Msf(BcdMsf a) {
    char text[16];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x", a.m, a.s, a.f);
    return text;
  }
  bool open_ = false;
};

class RealCdDriveTest : public PlatformTest {
 protected:
  RealCdDriveTest() {
    auto access = std::make_unique<FakeCdio>();
    fake = access.get();
    drive = std::make_unique<RealCdDrive>(std::move(access));
    drive->SetPlayEndedHandler([this] { ++ended; });
    drive->SetPlayLostHandler([this] { ++lost; });
  }

  std::vector<std::string> Calls() { return std::exchange(fake->calls, {}); }

  FakeCdio* fake = nullptr;
  std::unique_ptr<RealCdDrive> drive;
  int ended = 0;
  int lost = 0;
};

using Strings = std::vector<std::string>;

TEST(CdioAccessTest, MsfIsBinaryCodedDecimal) {
  EXPECT_EQ(ToBcdMsf(kLeadInFrames), (BcdMsf{0x00, 0x02, 0x00}));
  EXPECT_EQ(ToBcdMsf(FromMsf(12, 34, 56)), (BcdMsf{0x12, 0x34, 0x56}));
  EXPECT_EQ(ToBcdMsf(FromMsf(99, 59, 74) + 1), (BcdMsf{0x99, 0x59, 0x74}));
  EXPECT_EQ(FromBcdMsf({0x79, 0x59, 0x74}), FromMsf(79, 59, 74));
  for (const BcdMsf bad : {BcdMsf{0x0A, 0, 0}, BcdMsf{0, 0x60, 0}, BcdMsf{0, 0, 0x75}, BcdMsf{0, 0x1F, 0}})
    EXPECT_EQ(FromBcdMsf(bad), std::nullopt) << int(bad.m) << ":" << int(bad.s) << ":" << int(bad.f);
}

TEST_F(RealCdDriveTest, TocIsTheDiscsWithTheLeadInAddedAndTrailingDataLeftOut) {
  const struct {
    const char* name;
    std::vector<std::int32_t> tracks;
    std::vector<int> data;
    std::int32_t leadOut, lastSession;
    std::vector<Frame> starts;
    Frame end;
  } cases[] = {
      {"audio", {0, 375, 900}, {}, 1500, 0, {150, 525, 1050}, 1650},
      {"one track", {0}, {}, 75, 0, {150}, 225},
      {"data first keeps its number", {0, 600}, {1}, 900, 0, {150, 750}, 1050},
      {"data last, one session", {0, 600}, {2}, 900, 0, {150}, 600},
      {"Enhanced CD", {0, 20000}, {2}, 30000, 20000, {150}, 20000 + 150 - 11400},
  };
  for (const auto& c : cases) {
    fake->tracks = c.tracks;
    fake->dataTracks = c.data;
    fake->leadOut = c.leadOut;
    fake->lastSession = c.lastSession;
    fake->media = MediaCheck::Changed;
    const auto toc = drive->ReadToc();
    ASSERT_TRUE(toc) << c.name;
    EXPECT_EQ(toc->starts, c.starts) << c.name;
    EXPECT_EQ(toc->leadOut, c.end) << c.name;
  }
}

TEST_F(RealCdDriveTest, UnplayableDiscsAreNotReady) {
  const struct {
    const char* name;
    std::vector<std::int32_t> tracks;
    std::vector<int> data;
    std::int32_t leadOut;
  } cases[] = {
      {"data only", {0}, {1}, 900},
      {"starts out of order", {0, 500, 400}, {}, 900},
      {"lead-out before the last track", {0, 500}, {}, 400},
      {"no tracks", {}, {}, 900},
  };
  for (const auto& c : cases) {
    fake->tracks = c.tracks;
    fake->dataTracks = c.data;
    fake->leadOut = c.leadOut;
    EXPECT_FALSE(drive->Ready()) << c.name;
    EXPECT_EQ(drive->ReadToc(), std::nullopt) << c.name;
    EXPECT_FALSE(fake->IsOpen()) << c.name << ": a failed read is retried through a fresh open";
  }
}

TEST_F(RealCdDriveTest, PlaySendsTheRangeEndingOneFrameBeforeItsEnd) {
  EXPECT_EQ(drive->Play(FromMsf(0, 2, 0), FromMsf(0, 5, 0)), Result::Ok);
  EXPECT_EQ(Calls(), Strings{"play 00:02:00-00:04:74"});
  // The lead-in cannot be played; the play starts with the first track.
  EXPECT_EQ(drive->Play(0, 1650), Result::Ok);
  EXPECT_EQ(Calls(), Strings{"play 00:02:00-00:21:74"});
  // Past the lead-out or backwards: nothing is sent.
  EXPECT_EQ(drive->Play(150, 1651), Result::Failed);
  EXPECT_EQ(drive->Play(600, 599), Result::Failed);
  EXPECT_EQ(Calls(), Strings{});
  EXPECT_EQ(drive->State(), AudioState::Playing);
}

TEST_F(RealCdDriveTest, StateAndPositionFollowTheSubchannel) {
  ASSERT_EQ(drive->Seek(600), Result::Ok);
  const struct {
    SubchannelStatus status;
    AudioState state;
    Frame position;
  } cases[] = {
      {SubchannelStatus::Playing, AudioState::Playing, 1000},  {SubchannelStatus::Paused, AudioState::Paused, 1000},
      {SubchannelStatus::Completed, AudioState::Stopped, 600}, {SubchannelStatus::NoStatus, AudioState::Stopped, 600},
      {SubchannelStatus::Error, AudioState::Stopped, 600},     {SubchannelStatus::Invalid, AudioState::Stopped, 600},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(drive->Seek(600), Result::Ok);
    fake->sub = Subchannel{c.status, ToBcdMsf(1000)};
    EXPECT_EQ(drive->State(), c.state) << int(c.status);
    // Only a drive that plays or pauses says where it is; otherwise the last place known.
    EXPECT_EQ(drive->Position(), c.position) << int(c.status);
  }
}

TEST_F(RealCdDriveTest, APlayReportsItsEndOnceWhenTheDriveCompletesIt) {
  ASSERT_EQ(drive->Play(150, 525), Result::Ok);
  EXPECT_EQ(loop.ActiveTimers(), 1u);
  fake->Plays(300);
  loop.Advance(1000);
  EXPECT_EQ(drive->State(), AudioState::Playing);
  EXPECT_EQ(drive->Position(), 300u);
  fake->Says(SubchannelStatus::Completed);
  loop.Advance(RealCdDrive::kPollMs);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
  loop.Advance(5000);
  EXPECT_EQ(drive->State(), AudioState::Stopped);
  EXPECT_EQ(drive->Position(), 525u);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(lost, 0);
}

TEST_F(RealCdDriveTest, SilenceAfterPlayingIsTheEndOnlyNearTheEnd) {
  const struct {
    const char* name;
    Frame lastHeard;  // 0: the drive never says it plays
    SubchannelStatus then;
    std::uint64_t afterMs;
    int ended, lost;
  } cases[] = {
      {"no status at the end", 520, SubchannelStatus::NoStatus, 400, 1, 0},
      {"error at the end", 520, SubchannelStatus::Error, 400, 1, 0},
      {"stopped from outside", 300, SubchannelStatus::NoStatus, 400, 0, 1},
      {"error midway", 300, SubchannelStatus::Error, 400, 0, 1},
      {"silent drive before the end", 0, SubchannelStatus::Invalid, 4800, 0, 0},
      {"silent drive at the end", 0, SubchannelStatus::Invalid, 5200, 1, 0},
  };
  for (const auto& c : cases) {
    ended = lost = 0;
    ASSERT_EQ(drive->Play(150, 525), Result::Ok);  // five seconds
    if (c.lastHeard != 0) {
      fake->Plays(c.lastHeard);
      loop.Advance(RealCdDrive::kPollMs);
    }
    fake->Says(c.then);
    loop.Advance(c.afterMs);
    EXPECT_EQ(ended, c.ended) << c.name;
    EXPECT_EQ(lost, c.lost) << c.name;
    drive->Stop();
  }
}

TEST_F(RealCdDriveTest, ADiscThatGoesAwayDuringAPlayLosesIt) {
  const struct {
    const char* name;
    void (*act)(FakeCdio&);
  } cases[] = {
      {"disc changed", [](FakeCdio& f) { f.media = MediaCheck::Changed; }},
      {"drive unplugged", [](FakeCdio& f) { f.vanished = true; }},
      {"subchannel unreadable", [](FakeCdio& f) { f.sub.reset(); }},
  };
  for (const auto& c : cases) {
    *fake = FakeCdio{};
    ended = lost = 0;
    ASSERT_EQ(drive->Play(150, 1650), Result::Ok) << c.name;
    fake->Plays(400);
    loop.Advance(RealCdDrive::kPollMs);
    c.act(*fake);
    loop.Advance(3 * RealCdDrive::kPollMs);
    EXPECT_EQ(lost, 1) << c.name;
    EXPECT_EQ(ended, 0) << c.name;
    EXPECT_EQ(loop.ActiveTimers(), 0u) << c.name;
  }
  // The unplugged drive stays not ready.
  fake->vanished = true;
  EXPECT_FALSE(drive->Ready());
}

TEST_F(RealCdDriveTest, FailuresAnswerNotReadyOrFailed) {
  // An empty drive (a missing one is tried through libcdio below).
  fake->disc = false;
  EXPECT_EQ(drive->Play(150, 525), Result::NotReady);
  EXPECT_EQ(drive->Pause(), Result::NotReady);
  EXPECT_EQ(drive->Seek(150), Result::NotReady);
  EXPECT_EQ(drive->State(), AudioState::Stopped);
  fake->disc = true;

  // A drive that refuses its commands keeps the play it has.
  ASSERT_EQ(drive->Play(150, 525), Result::Ok);
  fake->Plays(200);
  fake->refuse = true;
  EXPECT_EQ(drive->Play(525, 1050), Result::Failed);
  EXPECT_EQ(drive->Pause(), Result::Failed);
  EXPECT_EQ(drive->Stop(), Result::Failed);
  EXPECT_EQ(drive->SetDoor(true), Result::Failed);
  EXPECT_FALSE(drive->DoorOpen());
  EXPECT_EQ(drive->State(), AudioState::Playing);
  EXPECT_EQ(lost, 0);
  fake->refuse = false;
  fake->Says(SubchannelStatus::Completed);
  loop.Advance(RealCdDrive::kPollMs);
  EXPECT_EQ(ended, 1);
}

TEST_F(RealCdDriveTest, PauseThenPlayOnFromThereResumes) {
  ASSERT_EQ(drive->Play(150, 1650), Result::Ok);
  fake->Plays(700);
  ASSERT_EQ(drive->Pause(), Result::Ok);
  fake->sub = Subchannel{SubchannelStatus::Paused, ToBcdMsf(702)};
  EXPECT_EQ(drive->State(), AudioState::Paused);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
  // Some drives give up a long pause; the play is still ours to go on with.
  fake->Says(SubchannelStatus::NoStatus);
  EXPECT_EQ(drive->State(), AudioState::Paused);
  fake->sub = Subchannel{SubchannelStatus::Paused, ToBcdMsf(702)};
  // The command layer goes on with a play from the current place to the same end.
  ASSERT_EQ(drive->Play(drive->Position(), 1650), Result::Ok);
  ASSERT_EQ(drive->Pause(), Result::Ok);
  ASSERT_EQ(drive->Play(150, 1650), Result::Ok);
  EXPECT_EQ(Calls(), (Strings{"play 00:02:00-00:21:74", "pause", "resume", "pause", "play 00:02:00-00:21:74"}));
  EXPECT_EQ(ended + lost, 0);
}

TEST_F(RealCdDriveTest, TheTrayOpenedForgetsTheDiscAndTheNextOneIsReadAfresh) {
  ASSERT_TRUE(drive->Ready());
  EXPECT_EQ(fake->opens, 1);
  ASSERT_EQ(drive->Play(150, 1650), Result::Ok);
  ASSERT_EQ(drive->SetDoor(true), Result::Ok);
  EXPECT_EQ(lost, 1);
  EXPECT_TRUE(drive->DoorOpen());
  EXPECT_FALSE(drive->Ready());
  EXPECT_EQ(drive->Play(150, 525), Result::NotReady);
  EXPECT_EQ(fake->opens, 1) << "the drive is left alone while its tray is out";

  fake->tracks = {0, 3000};
  fake->leadOut = 6000;
  fake->media = MediaCheck::Changed;  // the system saw the new disc come in
  ASSERT_EQ(drive->SetDoor(false), Result::Ok);
  EXPECT_FALSE(drive->DoorOpen());
  EXPECT_EQ(drive->ReadToc()->starts, (std::vector<Frame>{150, 3150}));
  EXPECT_EQ(fake->opens, 2);
  // That change was the disc just read, so it does not cut the play that follows.
  ASSERT_EQ(drive->Play(3150, 6150), Result::Ok);
  loop.Advance(RealCdDrive::kPollMs);
  EXPECT_EQ(drive->State(), AudioState::Playing);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(Calls(), (Strings{"play 00:02:00-00:21:74", "eject", "close", "play 00:42:00-01:21:74"}));

  // A disc changed by hand is read afresh too, and its play is lost.
  fake->tracks = {0};
  fake->media = MediaCheck::Changed;
  EXPECT_EQ(drive->ReadToc()->starts, (std::vector<Frame>{150}));
  EXPECT_EQ(fake->opens, 3);
  EXPECT_EQ(lost, 2);
}

// The drive letters and the CD audio device with a real drive in them.
class RealDriveTableTest : public PlatformTest {
 protected:
  RealDriveTableTest() {
    previous = platform::DriveTable::Instance().SetRealDriveFinder([this] {
      std::vector<std::unique_ptr<CdDriver>> drives;
      for (int i = 0; i < realDrives; ++i) {
        auto access = std::make_unique<FakeCdio>();
        fakes.push_back(access.get());
        drives.push_back(std::make_unique<RealCdDrive>(std::move(access)));
      }
      return drives;
    });
  }
  ~RealDriveTableTest() override {
    UseDrives("none");
    platform::DriveTable::Instance().SetRealDriveFinder(previous);
  }

  static bool IsReal(char letter) {
    return dynamic_cast<RealCdDrive*>(platform::DriveTable::Instance().CdDriver(letter)) != nullptr;
  }

  int realDrives = 2;
  std::vector<FakeCdio*> fakes;
  platform::DriveTable::RealDriveFinder previous;
};

TEST_F(RealDriveTableTest, RealDrivesTakeTheirPlaceInTheLetters) {
  UseDrives("");
  EXPECT_TRUE(IsReal('D'));
  EXPECT_TRUE(IsReal('E'));
  ASSERT_NE(platform::DriveTable::Instance().SimulatedDrive('F'), nullptr);
  UseDrives("sim;real");
  EXPECT_NE(platform::DriveTable::Instance().SimulatedDrive('D'), nullptr);
  EXPECT_TRUE(IsReal('E'));
  EXPECT_TRUE(IsReal('F'));
  realDrives = 0;
  UseDrives("");
  EXPECT_NE(platform::DriveTable::Instance().SimulatedDrive('D'), nullptr);
  EXPECT_EQ(platform::DriveTable::Instance().Find('E'), nullptr);
}

TEST_F(RealDriveTableTest, ANotifiedPlayOnARealDriveSucceedsOnce) {
  realDrives = 1;
  UseDrives("real");
  std::vector<WPARAM> codes;
  HWND window = CreateMessageWindow([&](HWND, UINT msg, WPARAM w, LPARAM) -> LRESULT {
    if (msg == MM_MCINOTIFY) codes.push_back(w);
    return 0;
  });
  MCI_OPEN_PARMS open{};
  open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  open.lpstrElementName = "D:";
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                            reinterpret_cast<DWORD_PTR>(&open)),
            0u);
  MCI_SET_PARMS set{};
  set.dwTimeFormat = MCI_FORMAT_TMSF;
  ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  MCI_PLAY_PARMS play{};
  play.dwCallback = HandleValue(window);
  play.dwFrom = MCI_MAKE_TMSF(2, 0, 0, 0);
  ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&play)), 0u);
  EXPECT_EQ(fakes[0]->calls, Strings{"play 00:07:00-00:21:74"});

  fakes[0]->Plays(1600);
  loop.Advance(1000);
  EXPECT_TRUE(codes.empty());
  fakes[0]->Says(SubchannelStatus::Completed);
  loop.Advance(1000);
  EXPECT_EQ(codes, std::vector<WPARAM>{MCI_NOTIFY_SUCCESSFUL});
  MCI_GENERIC_PARMS close{};
  mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close));
  DestroyWindow(window);
}

// The mode the CD audio device reports for each answer of the drive status request.
TEST_F(RealDriveTableTest, TheDrivesTrayStatusGivesTheMode) {
  realDrives = 1;
  UseDrives("real");
  MCI_OPEN_PARMS open{};
  open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  open.lpstrElementName = "D:";
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                            reinterpret_cast<DWORD_PTR>(&open)),
            0u);
  FakeCdio& fake = *fakes[0];
  const auto mode = [&] {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
    return status.dwReturn;
  };
  // What the drive says of an empty drive and of a disc it reads.
  fake.disc = false;
  fake.tray = DriveStatus::NoDisc;
  EXPECT_EQ(mode(), MCI_MODE_NOT_READY);
  fake.disc = true;
  fake.tray = DriveStatus::DiscOk;
  EXPECT_EQ(mode(), MCI_MODE_STOP);

  // A tray opened by hand during a play is the open door, and the play is lost with it.
  MCI_PLAY_PARMS play{};
  ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play)), 0u);
  fake.Plays(400);
  EXPECT_EQ(mode(), MCI_MODE_PLAY);
  fake.tray = DriveStatus::TrayOpen;
  fake.disc = false;
  fake.Says(SubchannelStatus::NoStatus);
  EXPECT_EQ(mode(), MCI_MODE_OPEN);
  EXPECT_EQ(mode(), MCI_MODE_OPEN);
  EXPECT_EQ(loop.ActiveTimers(), 0u);

  // Pushed back in by hand: the drive spins up, then reads the disc afresh.
  fake.tray = DriveStatus::NotReady;
  EXPECT_EQ(mode(), MCI_MODE_NOT_READY);
  fake.disc = true;
  fake.tray = DriveStatus::DiscOk;
  const int opensBefore = fake.opens;
  EXPECT_EQ(mode(), MCI_MODE_STOP);
  EXPECT_EQ(fake.opens, opensBefore + 1);

  // A drive that cannot tell keeps the door where the program moved it.
  fake.tray = DriveStatus::Unknown;
  MCI_SET_PARMS set{};
  ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_SET, MCI_SET_DOOR_OPEN, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  EXPECT_EQ(mode(), MCI_MODE_OPEN);
  ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_SET, MCI_SET_DOOR_CLOSED, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  EXPECT_EQ(mode(), MCI_MODE_STOP);
  MCI_GENERIC_PARMS close{};
  mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close));
}

// A drive that has CD-Text: the titles of its disc by track, the disc's own at 0.
class TitledDrive : public RealCdDrive {
 public:
  using RealCdDrive::RealCdDrive;
  std::optional<std::string> TrackTitle(int track) override {
    if (track == 0) return "Album";
    if (track == 1) return "夜明け";
    if (track == 2) return "";
    return std::nullopt;
  }
};

TEST_F(RealDriveTableTest, TitlesComeFromTheOpenDevicesDrive) {
  platform::DriveTable::Instance().SetRealDriveFinder([] {
    std::vector<std::unique_ptr<CdDriver>> drives;
    drives.push_back(std::make_unique<TitledDrive>(std::make_unique<FakeCdio>()));
    return drives;
  });
  UseDrives("real;sim");
  auto open = [](LPCSTR element) {
    MCI_OPEN_PARMS p{};
    p.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    p.lpstrElementName = element;
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                              reinterpret_cast<DWORD_PTR>(&p)),
              0u);
    return p.wDeviceID;
  };
  const MCIDEVICEID titled = open("D:");
  const MCIDEVICEID plain = open("E:");
  const auto& layer = CdCommandLayer::Instance();
  EXPECT_EQ(layer.TrackTitle(titled, 0), "Album");
  EXPECT_EQ(layer.TrackTitle(titled, 1), "夜明け");
  // An empty title is no title, and neither is a track the drive knows nothing of.
  EXPECT_EQ(layer.TrackTitle(titled, 2), std::nullopt);
  EXPECT_EQ(layer.TrackTitle(titled, 3), std::nullopt);
  EXPECT_EQ(layer.TrackTitle(titled, -1), std::nullopt);
  EXPECT_EQ(layer.TrackTitle(plain, 1), std::nullopt);
  EXPECT_EQ(layer.TrackTitle(MCIDEVICEID{77}, 1), std::nullopt);
  MCI_GENERIC_PARMS close{};
  mciSendCommandA(titled, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close));
  EXPECT_EQ(layer.TrackTitle(titled, 1), std::nullopt) << "a closed device has no disc";
  mciSendCommandA(plain, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close));
}

using LibcdioDriveTest = PlatformTest;

TEST_F(LibcdioDriveTest, ADeviceThatIsNotThereIsNeverReady) {
  RealCdDrive gone(MakeLibcdioAccess("/nonexistent/plume-cd"));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(gone.Ready());
  EXPECT_EQ(gone.ReadToc(), std::nullopt);
  EXPECT_EQ(gone.Play(150, 525), Result::NotReady);
  EXPECT_EQ(gone.Stop(), Result::NotReady);
  EXPECT_EQ(gone.State(), AudioState::Stopped);
  EXPECT_EQ(gone.SetDoor(true), Result::Failed);
  EXPECT_FALSE(gone.DoorOpen());
  // libcdio's warnings about the missing device are no news to the user.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(ListRealCdDrivesTest, AnswersWithAListOnAnyMachine) {
  // This machine may have no drive at all; the list must still come back, each name once.
  const auto drives = ListRealCdDrives();
  for (const auto& d : drives) EXPECT_FALSE(d.empty());
  EXPECT_EQ(std::set<std::string>(drives.begin(), drives.end()).size(), drives.size());
}

}  // namespace
