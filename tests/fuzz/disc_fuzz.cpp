// The simulated drive's disc descriptions: any text is either refused with
// std::invalid_argument or read into a disc whose description reads back into the same disc.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/mci/VirtualDisc.h"

using platform::cd::VirtualDisc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const VirtualDisc disc = VirtualDisc::Parse(text);
    const std::string described = disc.Describe();
    const VirtualDisc again = VirtualDisc::Parse(described);
    if (!(again == disc) || again.Describe() != described) std::abort();
    const auto& toc = disc.TableOfContents();
    if (toc.starts.size() != disc.TrackLengths().size() || toc.starts.empty()) std::abort();
    for (std::size_t i = 0; i + 1 < toc.starts.size(); ++i)
      if (toc.starts[i + 1] != toc.starts[i] + disc.TrackLengths()[i]) std::abort();
    if (toc.leadOut <= toc.starts.back()) std::abort();
  } catch (const std::invalid_argument&) {
  }
  return 0;
}
