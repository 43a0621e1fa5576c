// Digital playback on the clock output: the position is what has been heard, the end comes
// after the last frame, and pause, resume, seek and a new play lose nothing and repeat
// nothing. The output records every sample pair heard; the source's samples say where on
// the disc they lie.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "platform/mci/DigitalCdDriver.h"
#include "platform/mci/GeneratedAudioSource.h"
#include "platform/messages/ManualEventLoop.h"
#include "tests/support/HeardSound.h"

namespace {

using namespace platform::cd;

constexpr std::uint32_t kPairs = static_cast<std::uint32_t>(kSamplesPerSector);
constexpr std::uint32_t At(Frame f) { return f * kPairs; }

class DigitalCdDriverTest : public ::testing::Test {
 protected:
  DigitalCdDriverTest() {
    platform::SetEventLoop(&loop);
    auto out = std::make_unique<HeardOutput>();
    output = out.get();
    driver = std::make_unique<DigitalCdDriver>(std::move(out));
    source = std::make_shared<CountingSource>(Toc{{150, 600}, 1200});
    driver->SetSource(source);
    driver->SetPlayEndedHandler([this] { ++ended; });
    driver->SetPlayLostHandler([this] { ++lost; });
  }
  ~DigitalCdDriverTest() override {
    driver.reset();
    platform::SetEventLoop(nullptr);
  }

  platform::ManualEventLoop loop;
  HeardOutput* output = nullptr;
  std::shared_ptr<CountingSource> source;
  std::unique_ptr<DigitalCdDriver> driver;
  int ended = 0;
  int lost = 0;
};

TEST_F(DigitalCdDriverTest, PositionIsWhatHasBeenHeardAndTheEndComesAfterTheLastFrame) {
  ASSERT_EQ(driver->Play(150, 300), Result::Ok);  // two seconds
  EXPECT_EQ(driver->State(), AudioState::Playing);
  EXPECT_EQ(driver->Position(), 150u);
  loop.Advance(1000);
  EXPECT_EQ(driver->Position(), 225u);
  EXPECT_TRUE(RunsOver(output->Heard(), {{At(150), At(150) + 44100}}));

  // 150 frames last 2000 ms to the sample; the last one is still playing a moment before.
  loop.Advance(999);
  EXPECT_EQ(ended, 0);
  EXPECT_EQ(driver->State(), AudioState::Playing);
  loop.Advance(1);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(driver->State(), AudioState::Stopped);
  EXPECT_EQ(driver->Position(), 300u);
  EXPECT_TRUE(RunsOver(output->Heard(), {{At(150), At(300)}}));
  EXPECT_EQ(loop.ActiveTimers(), 0u);

  loop.Advance(5000);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(lost, 0);
}

TEST_F(DigitalCdDriverTest, PauseAndGoingOnLoseNothingAndRepeatNothing) {
  ASSERT_EQ(driver->Play(150, 450), Result::Ok);
  // 710 ms is not a whole number of frames: the pause falls inside one.
  loop.Advance(710);
  ASSERT_EQ(driver->Pause(), Result::Ok);
  const Frame at = driver->Position();
  EXPECT_EQ(at, 150u + FramesIn(710));
  const auto before = output->Heard().size();
  loop.Advance(3000);
  EXPECT_EQ(driver->State(), AudioState::Paused);
  EXPECT_EQ(driver->Position(), at);
  EXPECT_EQ(output->Heard().size(), before);

  // Going on from the place of the pause, as the command layer does, to the same end and
  // then (after another pause) to a further one.
  ASSERT_EQ(driver->Play(at, 450), Result::Ok);
  loop.Advance(500);
  ASSERT_EQ(driver->Pause(), Result::Ok);
  ASSERT_EQ(driver->Play(driver->Position(), 600), Result::Ok);
  ASSERT_TRUE(loop.AdvanceUntil([&] { return ended > 0; }, 10000));
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(driver->Position(), 600u);
  EXPECT_TRUE(RunsOver(output->Heard(), {{At(150), At(600)}}));
}

TEST_F(DigitalCdDriverTest, SeekStopAndANewPlayStartExactlyWhereAsked) {
  ASSERT_EQ(driver->Play(150, 600), Result::Ok);
  loop.Advance(500);
  // A new play cuts the running one where it was heard.
  ASSERT_EQ(driver->Play(700, 800), Result::Ok);
  loop.Advance(400);
  ASSERT_EQ(driver->Stop(), Result::Ok);
  EXPECT_EQ(driver->State(), AudioState::Stopped);
  EXPECT_EQ(driver->Position(), 730u);
  loop.Advance(1000);
  EXPECT_EQ(driver->Position(), 730u);
  // A play from where the stop left goes on from there.
  ASSERT_EQ(driver->Play(driver->Position(), 740), Result::Ok);
  ASSERT_EQ(driver->Seek(900), Result::Ok);
  EXPECT_EQ(driver->Position(), 900u);
  ASSERT_EQ(driver->Play(900, 915), Result::Ok);
  ASSERT_TRUE(loop.AdvanceUntil([&] { return ended > 0; }, 5000));
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(
      RunsOver(output->Heard(),
               {{At(150), At(150) + 22050}, {At(700), At(700) + 17640}, {At(730), At(730)}, {At(900), At(915)}}));
}

TEST_F(DigitalCdDriverTest, PlaysThatEndAtOnceOrAreRefused) {
  EXPECT_EQ(driver->Play(300, 200), Result::Failed);
  EXPECT_EQ(driver->Play(150, 1201), Result::Failed);
  EXPECT_EQ(driver->State(), AudioState::Stopped);
  // An empty play ends as soon as the loop runs.
  ASSERT_EQ(driver->Play(400, 400), Result::Ok);
  loop.RunPosted();
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(driver->Position(), 400u);
  EXPECT_TRUE(output->Heard().empty());
}

TEST_F(DigitalCdDriverTest, UnreadableSectorsAreHeardAsSilenceAndThePlayGoesOn) {
  source->bad = {160, 161};
  ASSERT_EQ(driver->Play(150, 180), Result::Ok);
  ASSERT_TRUE(loop.AdvanceUntil([&] { return ended > 0; }, 5000));
  const auto heard = output->Heard();
  ASSERT_EQ(heard.size(), 30u * kPairs);
  EXPECT_TRUE(RunsOver({heard.begin(), heard.begin() + 10 * kPairs}, {{At(150), At(160)}}));
  // The reader stops at the first bad sector of its chunk; the rest of the chunk is silent.
  EXPECT_TRUE(std::all_of(heard.begin() + 10 * kPairs, heard.begin() + 12 * kPairs, [](auto n) { return n == 0; }));
  EXPECT_TRUE(RunsOver({heard.begin() + 14 * kPairs, heard.end()}, {{At(164), At(180)}}));
}

TEST_F(DigitalCdDriverTest, ADiscThatGoesLosesItsPlayOnce) {
  ASSERT_EQ(driver->Play(150, 600), Result::Ok);
  loop.Advance(300);
  driver->SetSource(nullptr);
  EXPECT_EQ(lost, 1);
  EXPECT_FALSE(driver->Ready());
  EXPECT_EQ(driver->Play(150, 300), Result::NotReady);
  EXPECT_EQ(driver->Pause(), Result::NotReady);
  loop.Advance(10000);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(ended, 0);
  // A paused play is lost as well; a stopped drive has nothing to lose.
  driver->SetSource(source);
  ASSERT_EQ(driver->Play(150, 600), Result::Ok);
  ASSERT_EQ(driver->Pause(), Result::Ok);
  driver->SetSource(nullptr);
  EXPECT_EQ(lost, 2);
  driver->SetSource(source);
  driver->SetSource(nullptr);
  EXPECT_EQ(lost, 2);
}

// With no sound server the deck plays on the silent stand-in: the play keeps its time and
// ends as ever, but not one sector is read (a melody made or a drive spun for nobody).
TEST(SilentPlaybackTest, AStandInOutputKeepsTheTimeWithoutReadingTheDisc) {
  struct ReadCounter : CountingSource {
    using CountingSource::CountingSource;
    int Read(Frame first, int count, std::uint8_t* out) override {
      ++reads;
      return CountingSource::Read(first, count, out);
    }
    std::atomic<int> reads{0};
  };
  platform::ManualEventLoop loop;
  platform::SetEventLoop(&loop);
  int ended = 0;
  {
    DigitalCdDriver driver(platform::audio::ClockSoundOutput::StandIn());
    auto source = std::make_shared<ReadCounter>(Toc{{150, 600}, 1200});
    driver.SetSource(source);
    driver.SetPlayEndedHandler([&] { ++ended; });
    ASSERT_EQ(driver.Play(150, 300), Result::Ok);
    // The stand-in does not wait for its writer, so the writer is given real time to keep
    // up with the clock.
    const auto serve = [&](int ms) {
      for (int i = 0; i < ms / 10 && ended == 0; ++i) {
        loop.Advance(10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    };
    serve(1000);
    EXPECT_EQ(driver.State(), AudioState::Playing);
    EXPECT_GT(driver.Position(), 150u);
    serve(30000);
    EXPECT_EQ(driver.State(), AudioState::Stopped);
    EXPECT_EQ(driver.Position(), 300u);
    EXPECT_EQ(source->reads.load(), 0);
  }
  platform::SetEventLoop(nullptr);
  EXPECT_EQ(ended, 1);
}

// Without waiting for its writer the clock output lets silence pass when the writer is
// late; with nothing written, nothing counts as played.
TEST(ClockSoundOutputTest, CountsOnlyWhatWasWrittenAndStopsWhenCorked) {
  platform::ManualEventLoop loop;
  platform::SetEventLoop(&loop);
  {
    platform::audio::ClockSoundOutput out(false, 100);
    ASSERT_TRUE(out.Open());
    std::vector<std::uint8_t> data(4410 * 4);
    out.Resume();
    loop.Advance(50);
    EXPECT_EQ(out.FramesPlayed(), 0u);
    ASSERT_EQ(out.Write(data.data(), data.size()), data.size());
    loop.Advance(50);
    EXPECT_EQ(out.FramesPlayed(), 2205u);
    out.Pause();
    loop.Advance(500);
    EXPECT_EQ(out.FramesPlayed(), 2205u);
    out.Resume();
    loop.Advance(500);
    EXPECT_EQ(out.FramesPlayed(), 4410u);
    int drained = 0;
    out.Drain([&] { ++drained; });
    loop.Advance(20);
    EXPECT_EQ(drained, 1);
    out.Flush();
    EXPECT_EQ(out.FramesPlayed(), 0u);
  }
  platform::SetEventLoop(nullptr);
}

TEST(GeneratedAudioSourceTest, EachTrackSoundsOnItsOwnRootAndTheLeadInIsSilent) {
  GeneratedAudioSource source(Toc{{150, 450, 750}, 1051});
  std::vector<std::uint8_t> sector(kSectorBytes * 75);
  // Lead-in: silence.
  ASSERT_EQ(source.Read(0, 1, sector.data()), 1);
  EXPECT_TRUE(std::all_of(sector.begin(), sector.begin() + kSectorBytes, [](auto b) { return b == 0; }));
  // The reader stops at the lead-out.
  EXPECT_EQ(source.Read(1049, 5, sector.data()), 2);

  // Goertzel over one second of the left channel of each track.
  const auto power = [&](Frame first, double hz) {
    EXPECT_EQ(source.Read(first, 75, sector.data()), 75);
    const double k = 2.0 * std::cos(2.0 * 3.14159265358979 * hz / 44100.0);
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < sector.size(); i += 4) {
      const double x = static_cast<std::int16_t>(sector[i] | sector[i + 1] << 8);
      const double s0 = x + k * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    return s1 * s1 + s2 * s2 - k * s1 * s2;
  };
  std::set<long> roots;
  for (int t = 1; t <= 3; ++t) {
    const Frame start = std::vector<Frame>{150, 450, 750}[t - 1];
    const double own = power(start, GeneratedAudioSource::RootHz(t));
    for (int other = 1; other <= 3; ++other) {
      if (other == t) continue;
      EXPECT_GT(own, 20 * power(start, GeneratedAudioSource::RootHz(other))) << "track " << t << " against " << other;
    }
    roots.insert(std::lround(GeneratedAudioSource::RootHz(t)));
  }
  // Twelve tracks, twelve keys.
  for (int t = 4; t <= 12; ++t) roots.insert(std::lround(GeneratedAudioSource::RootHz(t)));
  EXPECT_EQ(roots.size(), 12u);

  // The same sector always sounds the same, however it is reached.
  std::vector<std::uint8_t> again(kSectorBytes);
  ASSERT_EQ(source.Read(500, 3, sector.data()), 3);
  ASSERT_EQ(source.Read(501, 1, again.data()), 1);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), sector.begin() + kSectorBytes));
}

}  // namespace
