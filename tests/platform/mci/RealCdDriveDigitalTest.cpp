// A real drive playing digitally, against a drive made of data that also delivers audio
// sectors: what is heard, when the end comes, a sector that cannot be read, and a disc
// taken out in the middle of a play.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/mci/RealCdDrive.h"
#include "platform/messages/ManualEventLoop.h"
#include "tests/support/HeardSound.h"

namespace {

using namespace platform::cd;

constexpr std::uint32_t At(Frame f) { return f * static_cast<std::uint32_t>(kSamplesPerSector); }

// Two audio tracks; its sectors hold the counting samples of CountingSource. The playback
// worker reads while the test's thread asks the rest, so every call holds the lock.
class SectorCdio : public CdioAccess {
 public:
  std::mutex mutex;
  bool disc = true;
  bool open = false;
  MediaCheck media = MediaCheck::Unchanged;
  std::set<std::int32_t> bad;
  int analogCommands = 0;
  int reads = 0;

  bool Open() override {
    std::lock_guard lock(mutex);
    open = disc;
    return open;
  }
  void Close() override {
    std::lock_guard lock(mutex);
    open = false;
  }
  bool IsOpen() const override { return open; }
  MediaCheck MediaChanged() override {
    std::lock_guard lock(mutex);
    if (!open) return MediaCheck::Failed;
    return std::exchange(media, MediaCheck::Unchanged);
  }
  std::optional<int> FirstTrack() override { return 1; }
  std::optional<int> TrackCount() override { return 2; }
  std::optional<std::int32_t> TrackLsn(int track) override {
    if (track == kLeadOutTrack) return 600;
    return track == 1 ? 0 : 300;
  }
  bool IsDataTrack(int) override { return false; }
  std::optional<std::int32_t> LastSessionLsn() override { return 0; }
  bool PlayMsf(BcdMsf, BcdMsf) override { return ++analogCommands, true; }
  bool Pause() override { return ++analogCommands, true; }
  bool Resume() override { return ++analogCommands, true; }
  bool Stop() override { return ++analogCommands, true; }
  std::optional<Subchannel> ReadSubchannel() override { return std::nullopt; }
  bool Eject() override { return true; }
  bool CloseTray() override { return true; }

  int ReadAudio(std::int32_t lsn, int count, std::uint8_t* out) override {
    std::lock_guard lock(mutex);
    ++reads;
    if (!open || !disc) return 0;
    for (int i = 0; i < count; ++i) {
      if (bad.count(lsn + i)) return i;
      if (source.Read(static_cast<Frame>(lsn + i) + kLeadInFrames, 1, out + std::size_t(i) * kSectorBytes) != 1)
        return i;
    }
    return count;
  }

 private:
  CountingSource source{Toc{{150, 450}, 750}};
};

class RealCdDriveDigitalTest : public ::testing::Test {
 protected:
  RealCdDriveDigitalTest() {
    platform::SetEventLoop(&loop);
    auto access = std::make_unique<SectorCdio>();
    cdio = access.get();
    auto out = std::make_unique<HeardOutput>();
    output = out.get();
    drive = std::make_unique<RealCdDrive>(std::move(access), RealCdDrive::Playback::Digital, std::move(out));
    drive->SetPlayEndedHandler([this] { ++ended; });
    drive->SetPlayLostHandler([this] { ++lost; });
  }
  ~RealCdDriveDigitalTest() override {
    drive.reset();
    platform::SetEventLoop(nullptr);
  }

  platform::ManualEventLoop loop;
  SectorCdio* cdio = nullptr;
  HeardOutput* output = nullptr;
  std::unique_ptr<RealCdDrive> drive;
  int ended = 0;
  int lost = 0;
};

TEST_F(RealCdDriveDigitalTest, PlaysTheSectorsItReadsAndEndsAfterTheLastOne) {
  ASSERT_TRUE(drive->Ready());
  // The play starts before the first track: the drive cannot read the lead-in, which is
  // heard as the first track's start.
  ASSERT_EQ(drive->Play(100, 300), Result::Ok);
  loop.Advance(1000);
  EXPECT_EQ(drive->Position(), 225u);
  EXPECT_EQ(drive->State(), AudioState::Playing);
  ASSERT_EQ(drive->Pause(), Result::Ok);
  EXPECT_EQ(drive->State(), AudioState::Paused);
  loop.Advance(2000);
  ASSERT_EQ(drive->Play(drive->Position(), 300), Result::Ok);
  loop.Advance(999);
  EXPECT_EQ(ended, 0);
  loop.Advance(1);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(drive->Position(), 300u);
  EXPECT_TRUE(RunsOver(output->Heard(), {{At(150), At(300)}}));
  EXPECT_EQ(cdio->analogCommands, 0);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(RealCdDriveDigitalTest, AnUnreadableSectorIsSkippedAndThePlayGoesOn) {
  cdio->bad = {10};  // frame 160
  ASSERT_EQ(drive->Play(150, 200), Result::Ok);
  ASSERT_TRUE(loop.AdvanceUntil([&] { return ended > 0; }, 5000));
  const auto heard = output->Heard();
  ASSERT_EQ(heard.size(), std::size_t(At(50)));
  // The reader's chunk of four from frame 158 stops at the bad one: 160 and 161 are silent.
  EXPECT_TRUE(RunsOver({heard.begin(), heard.begin() + At(10)}, {{At(150), At(160)}}));
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 0u), std::ptrdiff_t(At(2)));
  EXPECT_TRUE(RunsOver({heard.end() - At(38), heard.end()}, {{At(162), At(200)}}));
  EXPECT_EQ(lost, 0);
}

TEST_F(RealCdDriveDigitalTest, ADiscTakenOutInPlayEndsItAsLost) {
  ASSERT_EQ(drive->Play(150, 700), Result::Ok);
  loop.Advance(500);
  {
    std::lock_guard lock(cdio->mutex);
    cdio->disc = false;
    cdio->media = MediaCheck::Changed;
  }
  loop.Advance(RealCdDrive::kPollMs);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(ended, 0);
  EXPECT_FALSE(drive->Ready());
  EXPECT_EQ(drive->State(), AudioState::Stopped);
  loop.Advance(10000);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

}  // namespace
