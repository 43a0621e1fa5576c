// Where digital playback gets its audio: a disc's table of contents and its raw audio
// sectors. A real drive read through libcdio, a disc image and the demo disc's generated
// music are all sector sources, so one playback path serves them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/mci/CdDriver.h"

namespace platform::cd {

// One audio sector: 1/75 s of 16-bit little-endian stereo at 44.1 kHz.
constexpr std::size_t kSectorBytes = 2352;
constexpr std::size_t kSamplesPerSector = kSectorBytes / 4;  // stereo sample pairs

class SectorSource {
 public:
  virtual ~SectorSource() = default;

  // Frame addresses are absolute, as in Toc (the first track of a pressed disc starts at
  // kLeadInFrames).
  virtual Toc TableOfContents() const = 0;

  // Reads `count` sectors from absolute frame `first` into `out` (count * kSectorBytes
  // bytes). Returns how many sectors were read; fewer means an error or the lead-out was
  // reached. Called from the playback worker thread, by one reader at a time.
  virtual int Read(Frame first, int count, std::uint8_t* out) = 0;

  // CD-Text, where the disc has it (1-based track; 0 for the disc itself).
  virtual std::optional<std::string> Title(int /*track*/) const { return std::nullopt; }
  virtual std::optional<std::string> Performer(int /*track*/) const { return std::nullopt; }
};

}  // namespace platform::cd
