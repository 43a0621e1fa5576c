#include "platform/mci/DigitalCdDriver.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace platform::cd {

namespace {

constexpr std::size_t kSampleFramesPerSector = kSamplesPerSector;

}  // namespace

DigitalCdDriver::DigitalCdDriver(std::unique_ptr<audio::SoundOutput> output)
    : output_(std::move(output)), self_(std::make_shared<DigitalCdDriver*>(this)) {}

DigitalCdDriver::~DigitalCdDriver() {
  if (output_) Halt();
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  cv_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void DigitalCdDriver::SetSource(std::shared_ptr<SectorSource> source) {
  if (source == source_) return;
  LosePlay();
  source_ = std::move(source);
  toc_.reset();
  if (source_) toc_ = source_->TableOfContents();
  position_ = toc_ && !toc_->starts.empty() ? toc_->starts.front() : kLeadInFrames;
}

std::optional<std::string> DigitalCdDriver::TrackTitle(int track) {
  return source_ ? source_->Title(track) : std::nullopt;
}

// --- the worker ---------------------------------------------------------------------------

void DigitalCdDriver::Work() {
  std::vector<std::uint8_t> buffer(kChunkSectors * kSectorBytes);
  std::unique_lock lock(mutex_);
  for (;;) {
    cv_.wait(lock, [&] { return quit_ || job_.has_value(); });
    if (quit_) return;
    const Job job = *job_;
    job_.reset();
    const auto source = jobSource_;
    auto* const output = output_.get();
    EventLoop* const loop = loop_;
    busy_ = true;
    Frame next = job.from;
    bool reported = false;
    // Where nothing is heard, nothing is read (a drive spared, a melody not made): the
    // output keeps the play's time on silence.
    const bool heard = output->MakesSound();
    if (!heard) std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    while (!halt_ && next < jobTo_) {
      const int count = static_cast<int>(std::min<Frame>(kChunkSectors, jobTo_ - next));
      lock.unlock();
      const int got = heard ? std::max(0, source->Read(next, count, buffer.data())) : count;
      if (got < count) {
        // What cannot be read is heard as silence, so that the play keeps its time.
        std::memset(buffer.data() + std::size_t(got) * kSectorBytes, 0, std::size_t(count - got) * kSectorBytes);
        if (!reported) {
          std::cerr << "plume: cannot read the disc at " << Minutes(next + got) << ':' << Seconds(next + got) << '.'
                    << Frames(next + got) << "; skipped\n";
        }
        reported = true;
      } else {
        reported = false;
      }
      const std::size_t bytes = std::size_t(count) * kSectorBytes;
      const std::size_t taken = output->Write(buffer.data(), bytes);
      lock.lock();
      if (taken < bytes) break;  // flushed: a stop or another play
      next += static_cast<Frame>(count);
      readTo_ = next;
    }
    if (!halt_ && next >= jobTo_) {
      // The last frame is written; the play ends once it has been heard.
      std::weak_ptr<DigitalCdDriver*> self = self_;
      const std::uint64_t id = job.id;
      output->Drain([self, id, loop] {
        loop->Post([self, id] {
          if (auto alive = self.lock()) (*alive)->OnDrained(id);
        });
      });
    }
    busy_ = false;
    cv_.notify_all();
  }
}

void DigitalCdDriver::Halt() {
  output_->Pause();
  {
    std::lock_guard lock(mutex_);
    halt_ = true;
    job_.reset();
  }
  // A write waiting for room returns at the flush; one that slipped in after it is
  // dropped by the second.
  output_->Flush();
  {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [&] { return !busy_; });
    halt_ = false;
  }
  output_->Flush();
}

// --- the loop's side ----------------------------------------------------------------------

Frame DigitalCdDriver::Heard() {
  const std::uint64_t played = output_->FramesPlayed() / kSampleFramesPerSector;
  return static_cast<Frame>(std::min<std::uint64_t>(playTo_, playFrom_ + played));
}

void DigitalCdDriver::Settle() {
  // The last frame may have been heard before the loop got the output's word of it: a
  // command at that instant finds the play ended, as it was.
  if (state_ != AudioState::Playing || Heard() < playTo_) return;
  state_ = AudioState::Stopped;
  position_ = playTo_;
  NotifyPlayEnded();
}

void DigitalCdDriver::OnDrained(std::uint64_t id) {
  if (id != playId_ || state_ == AudioState::Stopped) return;
  state_ = AudioState::Stopped;
  position_ = playTo_;
  NotifyPlayEnded();
}

Result DigitalCdDriver::Play(Frame from, Frame to) {
  if (!source_) return Result::NotReady;
  if (from > to || to > toc_->leadOut) return Result::Failed;
  if (!output_) output_ = audio::MakeSoundOutput();
  if (!outputOpen_) outputOpen_ = output_->Open();
  loop_ = &CurrentEventLoop();
  Settle();

  // Going on from a pause plays what is queued already, so that nothing is heard twice.
  if (state_ == AudioState::Paused && from == position_) {
    bool keep = to == playTo_;
    {
      std::lock_guard lock(mutex_);
      if (!keep && busy_ && to >= readTo_) {
        jobTo_ = to;
        keep = true;
      }
    }
    if (keep) {
      playTo_ = to;
      state_ = AudioState::Playing;
      output_->Resume();
      return Result::Ok;
    }
  }

  Halt();
  // The worker starts with the first play: a drive that is never played costs no thread.
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  ++playId_;
  playFrom_ = from;
  playTo_ = to;
  position_ = from;
  state_ = AudioState::Playing;
  {
    std::lock_guard lock(mutex_);
    job_ = Job{from, to, playId_};
    jobSource_ = source_;
    jobTo_ = to;
    readTo_ = from;
  }
  cv_.notify_all();
  output_->Resume();
  return Result::Ok;
}

Result DigitalCdDriver::Pause() {
  if (!source_) return Result::NotReady;
  Settle();
  if (state_ == AudioState::Playing) {
    output_->Pause();
    // The end may have been heard just now; its message is on its way.
    position_ = Heard();
    state_ = AudioState::Paused;
  }
  return Result::Ok;
}

Result DigitalCdDriver::Stop() {
  if (!source_) return Result::NotReady;
  Settle();
  if (state_ != AudioState::Stopped) {
    output_->Pause();
    position_ = Heard();
    Halt();
    state_ = AudioState::Stopped;
    ++playId_;
  }
  return Result::Ok;
}

Result DigitalCdDriver::Seek(Frame to) {
  if (const Result r = Stop(); r != Result::Ok) return r;
  if (to > toc_->leadOut) return Result::Failed;
  position_ = to;
  return Result::Ok;
}

Frame DigitalCdDriver::Position() {
  Settle();
  if (state_ != AudioState::Playing) return position_;
  return Heard();
}

AudioState DigitalCdDriver::State() {
  Settle();
  return state_;
}

void DigitalCdDriver::LosePlay() {
  Settle();
  if (state_ == AudioState::Stopped) return;
  if (state_ == AudioState::Playing) {
    output_->Pause();
    position_ = Heard();
  }
  Halt();
  state_ = AudioState::Stopped;
  ++playId_;
  NotifyPlayLost();
}

}  // namespace platform::cd
