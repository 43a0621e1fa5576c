// The CUE reader and the disc image built on it. An input that starts with "RIFF" is taken as
// a WAVE file that a fixed sheet names; any other input is a sheet in a folder that holds a
// few data files for it to name (a.bin, b.bin, w.wav). Either the image is refused with
// DiscImageError, or it is a disc whose tracks go forward and whose sectors can all be read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/mci/ImageDisc.h"
#include "tests/fuzz/FuzzTempDir.h"

using platform::cd::CueSheet;
using platform::cd::DiscImageError;
using platform::cd::Frame;
using platform::cd::ImageDisc;
using platform::cd::kLeadInFrames;
using platform::cd::kSectorBytes;

namespace {

std::string Le32(std::uint32_t v) {
  return {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
}

const std::string& Folder() {
  static const std::string dir = [] {
    const std::string d = FuzzTempDir();
    ReplaceFileWith(d + "/a.bin", std::string(20 * kSectorBytes + 100, 'a'));
    ReplaceFileWith(d + "/b.bin", std::string(3 * 2048, 'b'));
    const std::string fmt = std::string("fmt ") + Le32(16) + std::string("\x01\x00\x02\x00", 4) + Le32(44100) +
                            Le32(176400) + std::string("\x04\x00\x10\x00", 4);
    const std::string data = "data" + Le32(5 * kSectorBytes) + std::string(5 * kSectorBytes, 'w');
    ReplaceFileWith(d + "/w.wav", "RIFF" + Le32(std::uint32_t(4 + fmt.size() + data.size())) + "WAVE" + fmt + data);
    return d;
  }();
  return dir;
}

void Check(ImageDisc& disc) {
  const auto toc = disc.TableOfContents();
  if (toc.starts.empty() || toc.starts.size() > 99 || toc.starts.front() < kLeadInFrames) std::abort();
  for (std::size_t i = 0; i + 1 < toc.starts.size(); ++i)
    if (toc.starts[i + 1] <= toc.starts[i]) std::abort();
  if (toc.leadOut <= toc.starts.back()) std::abort();
  // The first sectors of each track and the last of the disc, in one read each: the whole
  // disc could be hours of gap silence.
  std::vector<std::uint8_t> buffer(8 * kSectorBytes);
  std::vector<Frame> probes(toc.starts);
  probes.push_back(toc.leadOut - 4);
  for (Frame at : probes) {
    const int expected = static_cast<int>(std::min<Frame>(8, toc.leadOut - at));
    if (disc.Read(at, 8, buffer.data()) != expected) std::abort();
  }
  if (disc.Read(toc.leadOut, 1, buffer.data()) != 0) std::abort();
  for (int t = 0; t <= toc.TrackCount() + 1; ++t) {
    (void)disc.Title(t);
    (void)disc.Performer(t);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string& dir = Folder();
  std::string sheet = input;
  if (input.rfind("RIFF", 0) == 0) {
    ReplaceFileWith(dir + "/in.wav", input);
    sheet = "FILE in.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n";
  } else {
    // The reader alone first: no file is touched when the text is refused.
    try {
      CueSheet::Parse(input, "fuzz.cue");
    } catch (const DiscImageError&) {
      return 0;
    }
  }
  ReplaceFileWith(dir + "/s.cue", sheet);
  try {
    auto disc = ImageDisc::Open(dir + "/s.cue");
    Check(*disc);
  } catch (const DiscImageError&) {
  }
  return 0;
}
