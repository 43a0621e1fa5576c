// Sound through the desktop's sound server by libpulse (PulseAudio itself, or PipeWire's
// pulse server). The stream runs on libpulse's own thread; the program's name is the
// application's name the desktop mixer shows.
//
// Frames played are the stream's playback time, which counts what has left the server for
// the speakers, so a position taken from it is what the listener hears.
#pragma once

#include <string>

#include "platform/audio/SoundOutput.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;
struct pa_mainloop_api;
struct timeval;

namespace platform::audio {

class PulseSoundOutput : public SoundOutput {
 public:
  // The stream keeps about latencyMs of sound queued in the server.
  explicit PulseSoundOutput(std::string applicationName, std::uint32_t latencyMs = 80);
  ~PulseSoundOutput() override;
  PulseSoundOutput(const PulseSoundOutput&) = delete;
  PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

  bool Open() override;
  std::string Error() const override { return error_; }
  std::size_t Write(const std::uint8_t* data, std::size_t bytes) override;
  void Pause() override;
  void Resume() override;
  void Flush() override;
  void Drain(std::function<void()> done) override;
  std::uint64_t FramesPlayed() override;

 private:
  bool StartContext();
  bool AwaitContext();
  bool ConnectStream();
  void Close();
  bool Broken() const;
  std::uint64_t PlayedLocked();
  // Called on libpulse's thread once the server has drained the stream: the last frames may
  // still be on their way to the speakers, so it looks again until they are counted.
  void CheckDrained();
  static void OnDrained(pa_stream* s, int success, void* self);
  static void OnDrainTimer(::pa_mainloop_api* api, ::pa_time_event* e, const ::timeval* tv, void* self);

  std::string name_;
  std::uint32_t latencyMs_;
  std::string error_;
  pa_threaded_mainloop* mainloop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;

  // Guarded by the main loop's lock.
  std::uint64_t flushes_ = 0;
  std::uint64_t written_ = 0;     // frames since the last flush
  std::uint64_t baseFrames_ = 0;  // the stream's frame index where the last flush left it
  std::uint64_t lastPlayed_ = 0;
  std::function<void()> drainDone_;
  std::uint64_t drainFlushes_ = 0;
  pa_time_event* drainTimer_ = nullptr;
  std::uint64_t drainedAt_ = 0;  // when the last frame will have been heard (libpulse's clock, µs)
  bool reportedLoss_ = false;
};

}  // namespace platform::audio
