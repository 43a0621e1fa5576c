// An output that plays on the event loop's clock and makes no sound: frames count as played
// as the clock moves on, as long as the writer has delivered them, and cork stops the count.
//
// For tests it waits for its writer: before the clock lets frames be played that have not
// been written yet, it waits until the writer has filled the buffer or said it is done, so
// that a test on the manual loop sees the same positions every time, however the threads
// were scheduled. Without waiting (the silent stand-in for a missing sound server) frames
// that were late are silence, as on a real output.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/audio/SoundOutput.h"
#include "platform/messages/EventLoop.h"

namespace platform::audio {

class ClockSoundOutput : public SoundOutput {
 public:
  // The buffer holds bufferMs of sound, as a sound server's would.
  explicit ClockSoundOutput(bool waitForWriter = true, std::uint32_t bufferMs = 100);
  ~ClockSoundOutput() override;

  // The stand-in for a missing sound server: it keeps time without waiting for its writer,
  // and tells the writer that nothing written to it is heard.
  static std::unique_ptr<ClockSoundOutput> StandIn();

  bool Open() override;
  std::string Error() const override { return {}; }
  std::size_t Write(const std::uint8_t* data, std::size_t bytes) override;
  void Pause() override;
  void Resume() override;
  void Flush() override;
  void Drain(std::function<void()> done) override;
  std::uint64_t FramesPlayed() override;
  bool MakesSound() const override { return makesSound_; }

 private:
  // Brings the count of frames played up to the clock; on the loop's thread.
  void Catch(std::unique_lock<std::mutex>& lock);
  void Tick();
  void Schedule(std::unique_lock<std::mutex>& lock);
  void CancelTick();

  const bool waitForWriter_;
  bool makesSound_ = true;        // as far as its writer can tell: a test listens to what it is given
  const std::uint64_t capacity_;  // sample frames

  std::mutex mutex_;
  std::condition_variable changed_;
  bool corked_ = true;
  // Between a Resume and the next Flush (or the end of a drain) the writer is expected to
  // deliver: the clock then waits for it.
  bool expecting_ = false;
  bool writerBlocked_ = false;  // a write waits for room
  std::uint64_t written_ = 0;   // frames since the last Flush
  std::uint64_t played_ = 0;
  std::uint64_t flushes_ = 0;
  std::function<void()> drainDone_;
  bool draining_ = false;

  // The clock: frames of time counted since the output was last uncorked at anchorMs_.
  std::uint64_t anchorMs_ = 0;
  std::uint64_t clockFrames_ = 0;

  EventLoop* loop_ = nullptr;
  std::optional<EventLoop::TimerId> tick_;
};

}  // namespace platform::audio
