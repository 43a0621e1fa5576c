// Test helpers for digital playback: a sector source whose every sample says where on the
// disc it lies, and an output that plays on the clock and keeps what was heard, so that a
// test can check that nothing was lost or heard twice.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/audio/ClockSoundOutput.h"
#include "platform/mci/SectorSource.h"

// Sample pair n of the disc (counted from frame 0) holds n: its low 16 bits on the left,
// the high ones on the right. Sectors listed in `bad` cannot be read.
class CountingSource : public platform::cd::SectorSource {
 public:
  explicit CountingSource(platform::cd::Toc toc) : toc_(std::move(toc)) {}
  platform::cd::Toc TableOfContents() const override { return toc_; }
  int Read(platform::cd::Frame first, int count, std::uint8_t* out) override;

  static std::uint32_t SampleAt(const std::uint8_t* p);
  std::set<platform::cd::Frame> bad;

 private:
  platform::cd::Toc toc_;
};

// A clock output that records the sample pairs heard, in the order heard.
class HeardOutput : public platform::audio::SoundOutput {
 public:
  HeardOutput() : clock_(true) {}
  bool Open() override { return clock_.Open(); }
  std::string Error() const override { return {}; }
  std::size_t Write(const std::uint8_t* data, std::size_t bytes) override;
  void Pause() override { clock_.Pause(); }
  void Resume() override { clock_.Resume(); }
  void Flush() override;
  void Drain(std::function<void()> done) override { clock_.Drain(std::move(done)); }
  std::uint64_t FramesPlayed() override { return clock_.FramesPlayed(); }

  // Everything heard so far; on the loop's thread.
  std::vector<std::uint32_t> Heard();

 private:
  platform::audio::ClockSoundOutput clock_;
  std::mutex mutex_;
  std::vector<std::uint32_t> heard_;    // before the last flush
  std::vector<std::uint32_t> pending_;  // written since
};

// Checks that `heard` runs without a gap or a repeat over the given spans of sample pairs
// ([begin, end) each, in order); says where it does not.
::testing::AssertionResult RunsOver(const std::vector<std::uint32_t>& heard,
                                    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& spans);
