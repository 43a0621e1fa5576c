#include "platform/mci/CdioSectorSource.h"

#include <algorithm>
#include <cstring>

namespace platform::cd {

int CdioSectorSource::Read(Frame first, int count, std::uint8_t* out) {
  count = static_cast<int>(std::min<std::int64_t>(count, std::int64_t(toc_.leadOut) - first));
  if (count <= 0) return 0;
  // The lead-in holds no audio a drive will read; it is heard as silence.
  int done = 0;
  while (done < count && first + static_cast<Frame>(done) < kLeadInFrames) {
    std::memset(out + std::size_t(done) * kSectorBytes, 0, kSectorBytes);
    ++done;
  }
  if (done == count) return count;
  const Frame at = first + static_cast<Frame>(done);
  return done + std::max(0, access_.ReadAudio(static_cast<std::int32_t>(at - kLeadInFrames), count - done,
                                              out + std::size_t(done) * kSectorBytes));
}

}  // namespace platform::cd
