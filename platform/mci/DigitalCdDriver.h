// Digital playback: a drive whose audio is read as sectors from a sector source and played
// through a sound output, rather than by the drive's own analog output.
//
// A worker thread reads ahead and writes to the output, which holds only a fraction of a
// second, so pause, stop, seek and a new play are heard at once. The position is what has
// been heard (frames played), and the end of a play is reported, through the event loop,
// only once its last frame has been played. Going on from a pause plays on from the queued
// sound, so the listener hears nothing twice and misses nothing.
//
// It has no door of its own: the drive that holds it (the simulated drive, a real drive)
// decides when there is a disc and hands it over as a source.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/audio/SoundOutput.h"
#include "platform/mci/CdDriver.h"
#include "platform/mci/SectorSource.h"
#include "platform/messages/EventLoop.h"

namespace platform::cd {

class DigitalCdDriver : public CdDriver {
 public:
  // How many sectors the worker reads at a time (about 53 ms of sound).
  static constexpr int kChunkSectors = 4;

  // Without an output of its own, the driver makes one by MakeSoundOutput at its first play.
  explicit DigitalCdDriver(std::unique_ptr<audio::SoundOutput> output = nullptr);
  ~DigitalCdDriver() override;
  DigitalCdDriver(const DigitalCdDriver&) = delete;
  DigitalCdDriver& operator=(const DigitalCdDriver&) = delete;

  // The disc to play from, or none. A play of the disc that goes is lost.
  void SetSource(std::shared_ptr<SectorSource> source);
  const std::shared_ptr<SectorSource>& Source() const { return source_; }

  bool DoorOpen() override { return false; }
  bool Ready() override { return source_ != nullptr; }
  std::optional<Toc> ReadToc() override { return toc_; }
  Result Play(Frame from, Frame to) override;
  Result Pause() override;
  Result Stop() override;
  Result Seek(Frame to) override;
  Frame Position() override;
  AudioState State() override;
  Result SetDoor(bool open) override { return open ? Result::Failed : Result::Ok; }
  std::optional<std::string> TrackTitle(int track) override;

  // Ends a running or paused play because the disc went away (the play-lost handler runs);
  // the head stays where it was heard last.
  void LosePlay();

 private:
  struct Job {
    Frame from = 0;
    Frame to = 0;
    std::uint64_t id = 0;
  };

  void Work();
  // Brings the worker to rest and empties the output, which stays corked.
  void Halt();
  Frame Heard();
  // Ends a play whose last frame has been heard.
  void Settle();
  void OnDrained(std::uint64_t id);

  std::unique_ptr<audio::SoundOutput> output_;
  bool outputOpen_ = false;
  std::shared_ptr<SectorSource> source_;
  std::optional<Toc> toc_;

  // The loop's view of the play.
  AudioState state_ = AudioState::Stopped;
  Frame position_ = kLeadInFrames;  // where the head stands while not playing
  Frame playFrom_ = 0;              // where the output's count of frames played began
  Frame playTo_ = 0;
  std::uint64_t playId_ = 0;
  EventLoop* loop_ = nullptr;
  // Outlives nothing: posted end messages hold it weakly to know the driver still exists.
  std::shared_ptr<DigitalCdDriver*> self_;

  // Shared with the worker.
  std::mutex mutex_;
  std::condition_variable cv_;
  std::optional<Job> job_;
  std::shared_ptr<SectorSource> jobSource_;
  bool busy_ = false;
  bool halt_ = false;
  bool quit_ = false;
  Frame jobTo_ = 0;   // the end of the running job; a resumed play may move it
  Frame readTo_ = 0;  // the next frame the worker reads
  std::thread worker_;
};

}  // namespace platform::cd
