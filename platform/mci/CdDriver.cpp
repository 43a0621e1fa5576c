#include "platform/mci/CdDriver.h"

#include <algorithm>

namespace platform::cd {

int Toc::TrackAt(Frame f) const {
  if (starts.empty()) return 0;
  // The last start that is not after f.
  auto it = std::upper_bound(starts.begin(), starts.end(), f);
  if (it == starts.begin()) return 1;
  return static_cast<int>(it - starts.begin());
}

}  // namespace platform::cd
