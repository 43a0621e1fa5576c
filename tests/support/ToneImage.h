// Disc images made at test time: a CUE sheet and a BIN of tracks that each hold one sine
// tone, so that a test can tell by ear (or by a frequency count) which track it hears and
// compare what comes out of the sound path sample by sample with the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tone_image {

struct Layout {
  std::vector<double> frequencies{440.0, 660.0, 880.0};  // one track per tone
  unsigned secondsPerTrack = 3;
  std::string baseName = "tones";  // the files are <baseName>.cue and <baseName>.bin
};

// The left and right sample of frame `n` (44.1 kHz) of a tone; both channels are the same.
std::int16_t Sample(double frequency, std::uint64_t n);

// The BIN's bytes: each track's tone, 16-bit little-endian stereo, whole sectors.
std::vector<std::uint8_t> Samples(const Layout& layout);

// Writes <folder>/<baseName>.bin and a plain sheet (one FILE ... BINARY, TRACK nn AUDIO,
// INDEX 01) beside it; returns the sheet's path. Throws std::runtime_error when a file
// cannot be written.
std::string Write(const std::string& folder, const Layout& layout = {});

}  // namespace tone_image
