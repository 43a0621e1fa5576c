// Where the player's sound goes: a stream of CD audio (16-bit little-endian stereo at
// 44.1 kHz) that one thread writes and the event loop steers. Two outputs exist: the
// desktop's sound server through libpulse, and a clock that "plays" in time with the event
// loop without making a sound (for tests, and for machines that have no sound server).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform::audio {

constexpr std::uint32_t kSampleRate = 44100;
constexpr std::size_t kBytesPerSampleFrame = 4;  // two channels of 16 bits

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;

  // Connects the output, corked (nothing plays until Resume). False when no sound can be
  // played; Error() then says why.
  virtual bool Open() = 0;
  virtual std::string Error() const = 0;

  // Queues whole sample frames; blocks while the output's buffer is full. Returns the bytes
  // taken, fewer than given when a Flush cut the write short. Called by one writer thread.
  virtual std::size_t Write(const std::uint8_t* data, std::size_t bytes) = 0;

  // Corks and uncorks the stream: what is queued stays queued.
  virtual void Pause() = 0;
  virtual void Resume() = 0;

  // Drops everything queued and starts the count of frames played afresh at zero; a write
  // in progress returns at once and a pending drain is forgotten.
  virtual void Flush() = 0;

  // Calls done, from any thread, once every frame written so far has been played.
  virtual void Drain(std::function<void()> done) = 0;

  // Sample frames heard since Open or the last Flush.
  virtual std::uint64_t FramesPlayed() = 0;
  // False for an output that only keeps time and throws the sound away: its writer may
  // spare itself reading and making sound that nobody hears, and write silence.
  virtual bool MakesSound() const { return true; }
};

// Makes the output for a new player. The default makes clock outputs that wait for their
// writer, so that tests on the manual loop come out the same every time; the program puts
// the desktop's sound server in its place with UseSystemSound.
using SoundOutputFactory = std::function<std::unique_ptr<SoundOutput>()>;
std::unique_ptr<SoundOutput> MakeSoundOutput();
SoundOutputFactory SetSoundOutputFactory(SoundOutputFactory factory);

// From now on players sound through the desktop's sound server, under the given program
// name. Where no server answers, they play on the clock in silence, and the first one to
// find that out says why on the standard error.
void UseSystemSound(const std::string& applicationName);

}  // namespace platform::audio
