// A disc for the simulated drive: audio tracks given by their lengths in frames.
#pragma once

#include <string>
#include <vector>

#include "platform/mci/CdDriver.h"

namespace platform::cd {

class VirtualDisc {
 public:
  // Tracks of the given lengths, laid out after the lead-in gap. Throws
  // std::invalid_argument for no tracks, more than 99, an empty track or a disc whose
  // positions would not fit the interface's one-byte minute fields.
  explicit VirtualDisc(std::vector<Frame> trackLengths);

  // The built-in demo disc: twelve tracks of 2:40 to 7:30, about 55 minutes in all.
  static VirtualDisc Demo();

  // Reads a disc description: "demo", or track lengths separated by commas, each as
  // seconds ("95"), minutes and seconds ("4:12") or with frames ("4:12.30").
  // Throws std::invalid_argument with a message that names the bad part.
  static VirtualDisc Parse(const std::string& text);

  // The description that Parse reads back into the same disc.
  std::string Describe() const;

  const std::vector<Frame>& TrackLengths() const { return lengths_; }
  const Toc& TableOfContents() const { return toc_; }

  bool operator==(const VirtualDisc& other) const { return lengths_ == other.lengths_; }

 private:
  std::vector<Frame> lengths_;
  Toc toc_;
};

}  // namespace platform::cd
