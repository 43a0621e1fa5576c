#include "tests/support/ToneImage.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace tone_image {

namespace {

constexpr unsigned kRate = 44100;
constexpr unsigned kFramesPerSecond = 75;

std::string Msf(std::uint64_t frames) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned(frames / (60 * kFramesPerSecond)),
                unsigned(frames / kFramesPerSecond % 60), unsigned(frames % kFramesPerSecond));
  return text;
}

}  // namespace

std::int16_t Sample(double frequency, std::uint64_t n) {
  // Half of full scale: loud enough to measure, far from clipping after any resampling.
  const double v = 0.5 * 32767.0 * std::sin(2.0 * std::numbers::pi * frequency * double(n) / kRate);
  return static_cast<std::int16_t>(std::lround(v));
}

std::vector<std::uint8_t> Samples(const Layout& layout) {
  const std::uint64_t perTrack = std::uint64_t(layout.secondsPerTrack) * kRate;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(layout.frequencies.size() * perTrack * 4);
  for (double f : layout.frequencies) {
    for (std::uint64_t n = 0; n < perTrack; ++n) {
      const auto s = static_cast<std::uint16_t>(Sample(f, n));
      for (int channel = 0; channel < 2; ++channel) {
        bytes.push_back(static_cast<std::uint8_t>(s & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(s >> 8));
      }
    }
  }
  return bytes;
}

std::string Write(const std::string& folder, const Layout& layout) {
  const std::string bin = folder + "/" + layout.baseName + ".bin";
  const std::string cue = folder + "/" + layout.baseName + ".cue";
  const auto bytes = Samples(layout);
  {
    std::ofstream out(bin, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + bin);
  }
  std::ofstream out(cue, std::ios::binary | std::ios::trunc);
  out << "FILE \"" << layout.baseName << ".bin\" BINARY\n";
  const std::uint64_t framesPerTrack = std::uint64_t(layout.secondsPerTrack) * kFramesPerSecond;
  for (std::size_t i = 0; i < layout.frequencies.size(); ++i) {
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", i + 1);
    out << "  TRACK " << number << " AUDIO\n"
        << "    INDEX 01 " << Msf(i * framesPerTrack) << "\n";
  }
  if (!out) throw std::runtime_error("cannot write " + cue);
  return cue;
}

}  // namespace tone_image
