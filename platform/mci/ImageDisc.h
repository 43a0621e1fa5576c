// A disc image as a sector source: a CUE sheet and the files it names, laid out as a
// pressed disc would be. The image's first sector is the disc's first after the lead-in
// (kLeadInFrames), each track starts at its INDEX 01 (an INDEX 00 pregap counts into the
// previous track), PREGAP and POSTGAP add silence, and the lead-out follows the last sector.
//
// The files stay open while the disc is in use: a file that shrinks or goes bad while it
// plays makes Read return fewer sectors, as a scratched disc would.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/mci/CueSheet.h"
#include "platform/mci/SectorSource.h"

namespace platform::cd {

class ImageDisc : public SectorSource {
 public:
  // Reads the sheet and opens the files it names, relative to the sheet's folder. Throws
  // DiscImageError with a message that names the sheet and the line to blame: a sheet that
  // cannot be read or describes no disc, a missing or unreadable file, a WAVE file in
  // another format, an INDEX past the end of its file, an empty track, a disc too long.
  static std::unique_ptr<ImageDisc> Open(const std::string& sheetPath);

  ~ImageDisc() override;
  ImageDisc(const ImageDisc&) = delete;
  ImageDisc& operator=(const ImageDisc&) = delete;

  Toc TableOfContents() const override { return toc_; }
  int Read(Frame first, int count, std::uint8_t* out) override;
  std::optional<std::string> Title(int track) const override;
  std::optional<std::string> Performer(int track) const override;

  const std::string& SheetPath() const { return sheetPath_; }
  // Lines of the sheet that were passed over, for the standard error.
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  struct DataFile {
    int fd = -1;
    bool swap = false;            // big-endian samples
    std::uint64_t dataStart = 0;  // byte offset of the first sector
    std::uint64_t dataBytes = 0;  // bytes of sector data (the last sector may be short)
    std::size_t sectorBytes = 2352;
  };
  // A run of sectors on the disc: silence, or consecutive sectors of one file.
  struct Segment {
    Frame start = 0;  // sector number on the disc, from the first after the lead-in
    Frame length = 0;
    int file = -1;     // into files_; -1 for silence
    Frame fileAt = 0;  // the file's sector where the run starts
    bool audio = true;
  };

  ImageDisc() = default;
  bool ReadSector(const Segment& s, Frame at, std::uint8_t* out) const;

  // The steps of Open: each data file opened and measured in sectors, the files laid end
  // to end with the gaps' silence (answers the disc's length), the table of contents.
  Frame OpenDataFile(std::size_t n, std::size_t sectorBytes);
  Frame LaySegments(const std::vector<Frame>& fileSectors);
  void MakeToc(Frame discLength);

  std::string sheetPath_;
  CueSheet sheet_;
  std::vector<DataFile> files_;
  std::vector<Segment> segments_;
  Toc toc_;
  std::vector<std::string> warnings_;
};

}  // namespace platform::cd
