#include "platform/audio/PulseSoundOutput.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <iostream>

#include "platform/audio/PulseLibrary.h"

namespace platform::audio {

namespace {

constexpr pa_usec_t kDrainRecheckUs = 10 * 1000;

// Set by the first Open that loads the library, before any libpulse thread exists, and
// never changed after.
const PulseLibrary* pulse = nullptr;

// Holds libpulse's lock for a scope; every call into the stream from our threads needs it.
class Locked {
 public:
  explicit Locked(pa_threaded_mainloop* m) : m_(m) { pulse->pa_threaded_mainloop_lock(m_); }
  ~Locked() { pulse->pa_threaded_mainloop_unlock(m_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  pa_threaded_mainloop* m_;
};

void Signal(void* mainloop) { pulse->pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0); }

void OnContextState(pa_context*, void* m) { Signal(m); }
void OnStreamState(pa_stream*, void* m) { Signal(m); }
void OnWritable(pa_stream*, std::size_t, void* m) { Signal(m); }
void OnDone(pa_stream*, int, void* m) { Signal(m); }

// Waits on the main loop, with its lock held, until an operation has run.
void Await(pa_threaded_mainloop* m, pa_operation* op) {
  if (op == nullptr) return;
  while (pulse->pa_operation_get_state(op) == PA_OPERATION_RUNNING) pulse->pa_threaded_mainloop_wait(m);
  pulse->pa_operation_unref(op);
}

}  // namespace

PulseSoundOutput::PulseSoundOutput(std::string applicationName, std::uint32_t latencyMs)
    : name_(std::move(applicationName)), latencyMs_(latencyMs) {}

PulseSoundOutput::~PulseSoundOutput() { Close(); }

bool PulseSoundOutput::Open() {
  if (stream_ != nullptr) return true;
  if (pulse == nullptr && (pulse = LoadPulse(error_)) == nullptr) return false;
  if (!StartContext()) return false;
  pulse->pa_threaded_mainloop_lock(mainloop_);
  const bool ok = AwaitContext() && ConnectStream();
  if (!ok) error_ = pulse->pa_strerror(pulse->pa_context_errno(context_));
  pulse->pa_threaded_mainloop_unlock(mainloop_);
  if (!ok) Close();
  return ok;
}

bool PulseSoundOutput::StartContext() {
  mainloop_ = pulse->pa_threaded_mainloop_new();
  if (mainloop_ == nullptr) {
    error_ = "cannot start libpulse's thread";
    return false;
  }
  pa_proplist* props = pulse->pa_proplist_new();
  pulse->pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, name_.c_str());
  pulse->pa_proplist_sets(props, PA_PROP_APPLICATION_ID, name_.c_str());
  pulse->pa_proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, "media-optical-audio");
  pulse->pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "music");
  context_ = pulse->pa_context_new_with_proplist(pulse->pa_threaded_mainloop_get_api(mainloop_), name_.c_str(), props);
  pulse->pa_proplist_free(props);
  if (context_ == nullptr) {
    error_ = "cannot make a libpulse context";
    Close();
    return false;
  }
  pulse->pa_context_set_state_callback(context_, OnContextState, mainloop_);
  // No server is started on our behalf: a desktop without one plays in silence.
  if (pulse->pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
      pulse->pa_threaded_mainloop_start(mainloop_) < 0) {
    error_ = pulse->pa_strerror(pulse->pa_context_errno(context_));
    Close();
    return false;
  }
  return true;
}

// With the main loop's lock held.
bool PulseSoundOutput::AwaitContext() {
  for (;;) {
    const pa_context_state_t state = pulse->pa_context_get_state(context_);
    if (state == PA_CONTEXT_READY) return true;
    if (!PA_CONTEXT_IS_GOOD(state)) return false;
    pulse->pa_threaded_mainloop_wait(mainloop_);
  }
}

// With the main loop's lock held: a playback stream, corked, keeping about latencyMs_ queued.
bool PulseSoundOutput::ConnectStream() {
  const pa_sample_spec format{PA_SAMPLE_S16LE, kSampleRate, 2};
  pa_proplist* media = pulse->pa_proplist_new();
  pulse->pa_proplist_sets(media, PA_PROP_MEDIA_NAME, "CD audio");
  pulse->pa_proplist_sets(media, PA_PROP_MEDIA_ROLE, "music");
  stream_ = pulse->pa_stream_new_with_proplist(context_, "CD audio", &format, nullptr, media);
  pulse->pa_proplist_free(media);
  if (stream_ == nullptr) return false;
  pulse->pa_stream_set_state_callback(stream_, OnStreamState, mainloop_);
  pulse->pa_stream_set_write_callback(stream_, OnWritable, mainloop_);
  const auto bytes = [](std::uint32_t ms) {
    return static_cast<std::uint32_t>(std::uint64_t(ms) * kSampleRate / 1000 * kBytesPerSampleFrame);
  };
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = bytes(latencyMs_);
  attr.prebuf = static_cast<std::uint32_t>(-1);
  attr.minreq = bytes(latencyMs_ / 4);
  attr.fragsize = static_cast<std::uint32_t>(-1);
  const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING |
                                                    PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
  if (pulse->pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0) return false;
  for (;;) {
    const pa_stream_state_t state = pulse->pa_stream_get_state(stream_);
    if (state == PA_STREAM_READY) return true;
    if (!PA_STREAM_IS_GOOD(state)) return false;
    pulse->pa_threaded_mainloop_wait(mainloop_);
  }
}

void PulseSoundOutput::Close() {
  if (mainloop_ == nullptr) return;
  pulse->pa_threaded_mainloop_stop(mainloop_);
  if (drainTimer_ != nullptr && context_ != nullptr) {
    pulse->pa_threaded_mainloop_get_api(mainloop_)->time_free(drainTimer_);
    drainTimer_ = nullptr;
  }
  if (stream_ != nullptr) {
    pulse->pa_stream_disconnect(stream_);
    pulse->pa_stream_unref(stream_);
    stream_ = nullptr;
  }
  if (context_ != nullptr) {
    pulse->pa_context_disconnect(context_);
    pulse->pa_context_unref(context_);
    context_ = nullptr;
  }
  pulse->pa_threaded_mainloop_free(mainloop_);
  mainloop_ = nullptr;
}

bool PulseSoundOutput::Broken() const {
  return stream_ == nullptr || pulse->pa_stream_get_state(stream_) != PA_STREAM_READY;
}

std::size_t PulseSoundOutput::Write(const std::uint8_t* data, std::size_t bytes) {
  if (mainloop_ == nullptr) return 0;
  Locked lock(mainloop_);
  const std::uint64_t flushes = flushes_;
  std::size_t done = 0;
  while (done < bytes && flushes == flushes_) {
    if (Broken()) {
      if (!reportedLoss_) std::cerr << "plume: the sound server went away; the rest plays in silence\n";
      reportedLoss_ = true;
      break;
    }
    std::size_t room = pulse->pa_stream_writable_size(stream_);
    if (room == static_cast<std::size_t>(-1)) break;
    room -= room % kBytesPerSampleFrame;
    if (room == 0) {
      pulse->pa_threaded_mainloop_wait(mainloop_);
      continue;
    }
    const std::size_t n = std::min(room, bytes - done);
    if (pulse->pa_stream_write(stream_, data + done, n, nullptr, 0, PA_SEEK_RELATIVE) < 0) break;
    done += n;
    written_ += n / kBytesPerSampleFrame;
  }
  return done;
}

void PulseSoundOutput::Pause() {
  if (stream_ == nullptr) return;
  Locked lock(mainloop_);
  // Corked, the stream stops within the sink's latency (at once where the sink can take
  // back what it has not played yet); nothing queued is lost.
  if (!Broken()) Await(mainloop_, pulse->pa_stream_cork(stream_, 1, OnDone, mainloop_));
}

void PulseSoundOutput::Resume() {
  if (stream_ == nullptr) return;
  Locked lock(mainloop_);
  if (!Broken()) Await(mainloop_, pulse->pa_stream_cork(stream_, 0, OnDone, mainloop_));
}

void PulseSoundOutput::Flush() {
  if (stream_ == nullptr) return;
  Locked lock(mainloop_);
  ++flushes_;
  written_ = 0;
  lastPlayed_ = 0;
  drainDone_ = nullptr;
  if (drainTimer_ != nullptr) {
    pulse->pa_threaded_mainloop_get_api(mainloop_)->time_free(drainTimer_);
    drainTimer_ = nullptr;
  }
  // A writer waiting for room hears of the flush and returns.
  pulse->pa_threaded_mainloop_signal(mainloop_, 0);
  if (Broken()) return;
  Await(mainloop_, pulse->pa_stream_flush(stream_, OnDone, mainloop_));
  // The flush moves the write index back to where the server reads; what comes next is
  // counted from there.
  Await(mainloop_, pulse->pa_stream_update_timing_info(stream_, OnDone, mainloop_));
  if (const pa_timing_info* t = pulse->pa_stream_get_timing_info(stream_); t != nullptr && t->write_index >= 0)
    baseFrames_ = static_cast<std::uint64_t>(t->write_index) / kBytesPerSampleFrame;
}

std::uint64_t PulseSoundOutput::PlayedLocked() {
  pa_usec_t usec = 0;
  if (Broken() || pulse->pa_stream_get_time(stream_, &usec) < 0) return lastPlayed_;
  const std::uint64_t at = usec * kSampleRate / 1000000;
  const std::uint64_t played = at > baseFrames_ ? std::min(at - baseFrames_, written_) : 0;
  // The interpolated time may step back a little when the server's report arrives.
  lastPlayed_ = std::max(lastPlayed_, played);
  return lastPlayed_;
}

std::uint64_t PulseSoundOutput::FramesPlayed() {
  if (stream_ == nullptr) return 0;
  Locked lock(mainloop_);
  return PlayedLocked();
}

void PulseSoundOutput::Drain(std::function<void()> done) {
  if (stream_ == nullptr) return;
  Locked lock(mainloop_);
  drainDone_ = std::move(done);
  drainFlushes_ = flushes_;
  drainedAt_ = 0;
  if (Broken()) {
    // Nothing will ever play: the play is over as far as anyone will hear.
    auto fn = std::move(drainDone_);
    drainDone_ = nullptr;
    if (fn) fn();
    return;
  }
  if (pa_operation* op = pulse->pa_stream_drain(stream_, OnDrained, this)) pulse->pa_operation_unref(op);
}

void PulseSoundOutput::OnDrained(pa_stream*, int, void* self) { static_cast<PulseSoundOutput*>(self)->CheckDrained(); }

void PulseSoundOutput::OnDrainTimer(pa_mainloop_api* api, pa_time_event* e, const struct timeval*, void* self) {
  auto* out = static_cast<PulseSoundOutput*>(self);
  api->time_free(e);
  out->drainTimer_ = nullptr;
  out->CheckDrained();
}

void PulseSoundOutput::CheckDrained() {
  if (!drainDone_ || drainFlushes_ != flushes_) return;
  // Once the server has drained the stream its clock stops short of the last frames, which
  // are still on their way through the sink; they are counted as played when their time
  // has passed.
  const std::uint64_t played = Broken() ? written_ : PlayedLocked();
  if (drainedAt_ == 0)
    drainedAt_ = pulse->pa_rtclock_now() + (written_ - std::min(played, written_)) * 1000000 / kSampleRate;
  if (played < written_ && pulse->pa_rtclock_now() < drainedAt_) {
    if (drainTimer_ == nullptr)
      drainTimer_ =
          pulse->pa_context_rttime_new(context_, pulse->pa_rtclock_now() + kDrainRecheckUs, OnDrainTimer, this);
    return;
  }
  auto fn = std::move(drainDone_);
  drainDone_ = nullptr;
  fn();
}

}  // namespace platform::audio
