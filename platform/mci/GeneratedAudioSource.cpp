#include "platform/mci/GeneratedAudioSource.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace platform::cd {

namespace {

constexpr double kRate = 44100.0;
constexpr double kNoteSeconds = 0.3;
// A melody on the major pentatonic scale, in semitones above the octave of the root.
constexpr int kMelody[] = {0, 4, 7, 12, 9, 7, 4, 2};
constexpr int kMelodyLength = sizeof kMelody / sizeof kMelody[0];

constexpr double kRootLevel = 0.22;
constexpr double kMelodyLevel = 0.2;

std::int16_t ToSample(double v) {
  const double clipped = std::fmax(-1.0, std::fmin(1.0, v));
  return static_cast<std::int16_t>(std::lround(clipped * 32767.0));
}

}  // namespace

GeneratedAudioSource::GeneratedAudioSource(Toc toc) : toc_(std::move(toc)) {}

double GeneratedAudioSource::RootHz(int track) {
  // Track 1 stands on A (110 Hz); each next track a fifth higher, folded into one octave.
  const int step = ((track - 1) * 7) % 12;
  return 110.0 * std::pow(2.0, step / 12.0);
}

int GeneratedAudioSource::Read(Frame first, int count, std::uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    const Frame frame = first + static_cast<Frame>(i);
    if (frame >= toc_.leadOut) return i;
    Sector(frame, out + std::size_t(i) * kSectorBytes);
  }
  return count;
}

void GeneratedAudioSource::Sector(Frame frame, std::uint8_t* out) const {
  if (toc_.starts.empty() || frame < toc_.starts.front()) {
    std::memset(out, 0, kSectorBytes);
    return;
  }
  const int track = toc_.TrackAt(frame);
  const double root = RootHz(track);
  const Frame start = toc_.starts[track - 1];
  const std::uint64_t first = std::uint64_t(frame - start) * kSamplesPerSector;
  for (std::size_t i = 0; i < kSamplesPerSector; ++i) {
    const double t = double(first + i) / kRate;
    const long note = static_cast<long>(t / kNoteSeconds);
    const double inNote = t - double(note) * kNoteSeconds;
    const double melodyHz = root * 2.0 * std::pow(2.0, kMelody[note % kMelodyLength] / 12.0);
    // Each note starts softly and dies away, so that the notes do not click.
    const double envelope = std::fmin(1.0, inNote / 0.01) * std::exp(-4.0 * inNote);
    const double twoPi = 2.0 * std::numbers::pi;
    const double drone = kRootLevel * std::sin(twoPi * root * t);
    const double melody = kMelodyLevel * envelope * std::sin(twoPi * melodyHz * inNote);
    // The melody leans to the right and the root to the left, so the sound is wide.
    const std::int16_t left = ToSample(drone * 1.1 + melody * 0.8);
    const std::int16_t right = ToSample(drone * 0.8 + melody * 1.1);
    std::uint8_t* p = out + i * 4;
    p[0] = static_cast<std::uint8_t>(left & 0xFF);
    p[1] = static_cast<std::uint8_t>((left >> 8) & 0xFF);
    p[2] = static_cast<std::uint8_t>(right & 0xFF);
    p[3] = static_cast<std::uint8_t>((right >> 8) & 0xFF);
  }
}

}  // namespace platform::cd
