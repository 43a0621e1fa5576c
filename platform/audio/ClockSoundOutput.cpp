#include "platform/audio/ClockSoundOutput.h"

#include <algorithm>
#include <chrono>
#include <iostream>

namespace platform::audio {

namespace {

// A writer that has not delivered within this long is not coming; the clock goes on with
// silence rather than hang the loop.
constexpr auto kWriterPatience = std::chrono::seconds(10);

// The first whole millisecond at which the clock has counted `frames`.
std::uint64_t MsFor(std::uint64_t frames) { return (frames * 1000 + kSampleRate - 1) / kSampleRate; }

}  // namespace

ClockSoundOutput::ClockSoundOutput(bool waitForWriter, std::uint32_t bufferMs)
    : waitForWriter_(waitForWriter), capacity_(std::uint64_t(bufferMs) * kSampleRate / 1000) {}

std::unique_ptr<ClockSoundOutput> ClockSoundOutput::StandIn() {
  // Nobody listens, so the writer may run far ahead and the clock need look only now and
  // then: once a second, halfway through what is queued.
  auto out = std::make_unique<ClockSoundOutput>(false, 2000);
  out->makesSound_ = false;
  return out;
}

ClockSoundOutput::~ClockSoundOutput() {
  Flush();
  CancelTick();
}

bool ClockSoundOutput::Open() {
  std::lock_guard lock(mutex_);
  loop_ = &CurrentEventLoop();
  return true;
}

std::size_t ClockSoundOutput::Write(const std::uint8_t* /*data*/, std::size_t bytes) {
  std::unique_lock lock(mutex_);
  const std::uint64_t flushes = flushes_;
  std::uint64_t left = bytes / kBytesPerSampleFrame;
  std::uint64_t taken = 0;
  while (left > 0) {
    const std::uint64_t room = capacity_ - (written_ - played_);
    if (room == 0) {
      writerBlocked_ = true;
      changed_.notify_all();
      // Refilled once half has been played, not at every frame the clock passes: the
      // clock moves on at every question about the position, a dozen times a second.
      changed_.wait(lock, [&] { return written_ - played_ <= capacity_ / 2 || flushes_ != flushes; });
      writerBlocked_ = false;
      if (flushes_ != flushes) break;
      continue;
    }
    const std::uint64_t n = std::min(room, left);
    written_ += n;
    taken += n;
    left -= n;
    changed_.notify_all();
  }
  return static_cast<std::size_t>(taken * kBytesPerSampleFrame);
}

void ClockSoundOutput::Drain(std::function<void()> done) {
  std::lock_guard lock(mutex_);
  draining_ = true;
  drainDone_ = std::move(done);
  changed_.notify_all();
}

void ClockSoundOutput::Catch(std::unique_lock<std::mutex>& lock) {
  if (loop_ == nullptr) return;
  const auto awaitWriter = [&] {
    // An empty buffer while the writer is still at work: what it delivers next is due now.
    if (!waitForWriter_ || !expecting_ || draining_ || written_ > played_) return true;
    if (changed_.wait_for(lock, kWriterPatience, [&] { return written_ > played_ || draining_ || !expecting_; }))
      return true;
    std::cerr << "plume: the sound writer fell silent; the clock goes on without it\n";
    return false;
  };
  if (!corked_) {
    const std::uint64_t target = (loop_->Now() - anchorMs_) * kSampleRate / 1000;
    std::uint64_t due = target - clockFrames_;
    clockFrames_ = target;
    while (due > 0) {
      const std::uint64_t n = std::min(due, written_ - played_);
      played_ += n;
      due -= n;
      // A writer waiting for room is woken only once there is the room it waits for.
      if (n > 0 && written_ - played_ <= capacity_ / 2) changed_.notify_all();
      if (due == 0 || !awaitWriter() || written_ == played_) break;
    }
    awaitWriter();
  }
  if (draining_ && written_ == played_ && !corked_) {
    draining_ = false;
    expecting_ = false;
    CancelTick();
    auto done = std::move(drainDone_);
    drainDone_ = nullptr;
    if (done) {
      lock.unlock();
      done();
      lock.lock();
    }
  }
}

void ClockSoundOutput::CancelTick() {
  if (tick_ && loop_ == &CurrentEventLoop()) loop_->RemoveTimer(*tick_);
  tick_.reset();
}

void ClockSoundOutput::Schedule(std::unique_lock<std::mutex>& lock) {
  CancelTick();
  if (corked_ || !expecting_ || loop_ == nullptr) return;
  const std::uint64_t runOut = clockFrames_ + (written_ - played_);
  const std::uint64_t now = loop_->Now();
  std::uint64_t delay = anchorMs_ + MsFor(runOut) > now ? anchorMs_ + MsFor(runOut) - now : 1;
  // Without waiting for the writer the clock looks often, so that a late writer is heard
  // soon after it catches up; where nothing is heard, often enough that the writer always
  // finds room long before the clock reaches the end of what it wrote.
  if (!waitForWriter_) {
    const std::uint64_t look = makesSound_ ? 20 : MsFor(capacity_) / 2;
    delay = std::min<std::uint64_t>(delay, look);
  }
  (void)lock;
  tick_ = loop_->AddTimer(static_cast<std::uint32_t>(std::max<std::uint64_t>(delay, 1)), false, [this] {
    tick_.reset();
    Tick();
  });
}

void ClockSoundOutput::Tick() {
  std::unique_lock lock(mutex_);
  Catch(lock);
  Schedule(lock);
}

void ClockSoundOutput::Pause() {
  std::unique_lock lock(mutex_);
  Catch(lock);
  corked_ = true;
  CancelTick();
}

void ClockSoundOutput::Resume() {
  std::unique_lock lock(mutex_);
  loop_ = &CurrentEventLoop();
  if (corked_) {
    corked_ = false;
    anchorMs_ = loop_->Now();
    clockFrames_ = 0;
  }
  expecting_ = true;
  Catch(lock);
  Schedule(lock);
}

void ClockSoundOutput::Flush() {
  std::unique_lock lock(mutex_);
  ++flushes_;
  written_ = played_ = 0;
  draining_ = false;
  drainDone_ = nullptr;
  expecting_ = false;
  if (loop_ != nullptr) anchorMs_ = loop_->Now();
  clockFrames_ = 0;
  CancelTick();
  changed_.notify_all();
}

std::uint64_t ClockSoundOutput::FramesPlayed() {
  std::unique_lock lock(mutex_);
  Catch(lock);
  return played_;
}

}  // namespace platform::audio
