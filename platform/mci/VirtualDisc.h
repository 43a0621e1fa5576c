// A disc for the simulated drive: audio tracks given by their lengths in frames, or a disc
// image (a CUE sheet and its files) whose sectors can be read.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/mci/CdDriver.h"
#include "platform/mci/SectorSource.h"

namespace platform::cd {

class VirtualDisc {
 public:
  // Tracks of the given lengths, laid out after the lead-in gap. Throws
  // std::invalid_argument for no tracks, more than 99, an empty track or a disc whose
  // positions would not fit the interface's one-byte minute fields.
  explicit VirtualDisc(std::vector<Frame> trackLengths);

  // The built-in demo disc: twelve tracks of 2:40 to 7:30, about 55 minutes in all.
  static VirtualDisc Demo();

  // The disc image of a CUE sheet. Throws DiscImageError (see CueSheet.h) with a message
  // that names the sheet and its line when the image cannot be used.
  static VirtualDisc FromImage(const std::string& sheetPath);

  // Reads a disc description: "demo", "image:<path of a CUE sheet>", or track lengths
  // separated by commas, each as seconds ("95"), minutes and seconds ("4:12") or with frames
  // ("4:12.30"). Throws std::invalid_argument with a message that names the bad part (for an
  // image, its kind DiscImageError).
  static VirtualDisc Parse(const std::string& text);

  // The description that Parse reads back into the same disc.
  std::string Describe() const;

  const std::vector<Frame>& TrackLengths() const { return lengths_; }
  const Toc& TableOfContents() const { return toc_; }

  // The image's sectors and CD-Text; null for a disc made of lengths.
  const std::shared_ptr<SectorSource>& Image() const { return image_; }
  // Where the disc's sound comes from: the image, or generated music for a disc made of
  // lengths (see GeneratedAudioSource).
  const std::shared_ptr<SectorSource>& Source() const { return image_ ? image_ : generated_; }
  // The sheet an image disc was read from; empty for a disc made of lengths.
  const std::string& ImagePath() const { return imagePath_; }

  bool operator==(const VirtualDisc& other) const {
    return lengths_ == other.lengths_ && imagePath_ == other.imagePath_;
  }

 private:
  VirtualDisc() = default;

  std::vector<Frame> lengths_;
  Toc toc_;
  std::shared_ptr<SectorSource> image_;
  std::shared_ptr<SectorSource> generated_;
  std::string imagePath_;
};

}  // namespace platform::cd
