// The audio of the disc in a real drive, read through libcdio with paranoia, as a sector
// source for digital playback. It lives no longer than the disc: the drive makes a new one
// for each disc it reads.
#pragma once

#include "platform/mci/CdioAccess.h"
#include "platform/mci/SectorSource.h"

namespace platform::cd {

class CdioSectorSource : public SectorSource {
 public:
  // The access must outlive the source.
  CdioSectorSource(CdioAccess& access, Toc toc) : access_(access), toc_(std::move(toc)) {}

  Toc TableOfContents() const override { return toc_; }
  int Read(Frame first, int count, std::uint8_t* out) override;

 private:
  CdioAccess& access_;
  Toc toc_;
};

}  // namespace platform::cd
