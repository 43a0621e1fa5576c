// The music of a simulated disc, made up as it is read: every track plays a short melody
// over a held root note, each track in a key of its own (stepping round the circle of
// fifths), so that a listener hears at once that the track has changed. Nothing is stored;
// any sector can be made on its own, so seeking costs nothing.
#pragma once

#include "platform/mci/SectorSource.h"

namespace platform::cd {

class GeneratedAudioSource : public SectorSource {
 public:
  explicit GeneratedAudioSource(Toc toc);

  Toc TableOfContents() const override { return toc_; }
  int Read(Frame first, int count, std::uint8_t* out) override;

  // The held root note of a track (1-based), in hertz.
  static double RootHz(int track);

 private:
  void Sector(Frame frame, std::uint8_t* out) const;

  Toc toc_;
};

}  // namespace platform::cd
