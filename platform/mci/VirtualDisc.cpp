#include "platform/mci/VirtualDisc.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "platform/mci/GeneratedAudioSource.h"

#include "platform/mci/ImageDisc.h"

namespace platform::cd {

namespace {

// The minute byte of an absolute position must hold the lead-out.
constexpr Frame kMaxLeadOut = FromMsf(255, 59, 74);

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool ParseNumber(const std::string& s, std::uint32_t& out) {
  if (s.empty()) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}

Frame ParseLength(const std::string& item, std::size_t index) {
  const std::string where = "track " + std::to_string(index + 1) + " ('" + item + "')";
  std::string rest = item;
  std::uint32_t minutes = 0, seconds = 0, frames = 0;
  if (auto dot = rest.find('.'); dot != std::string::npos) {
    if (!ParseNumber(rest.substr(dot + 1), frames) || frames >= kFramesPerSecond)
      throw std::invalid_argument(where + ": frames must be a number from 0 to 74");
    rest = rest.substr(0, dot);
  }
  if (auto colon = rest.find(':'); colon != std::string::npos) {
    if (!ParseNumber(rest.substr(0, colon), minutes)) throw std::invalid_argument(where + ": minutes are not a number");
    if (!ParseNumber(rest.substr(colon + 1), seconds) || seconds >= 60)
      throw std::invalid_argument(where + ": seconds must be a number from 0 to 59");
  } else if (!ParseNumber(rest, seconds)) {
    throw std::invalid_argument(where + ": not a length (use seconds, m:ss or m:ss.ff)");
  }
  // Counted wide, so that a huge number of seconds cannot wrap around to a short track.
  const std::uint64_t length =
      std::uint64_t(minutes) * kFramesPerMinute + std::uint64_t(seconds) * kFramesPerSecond + frames;
  if (minutes > 255 || length > kMaxLeadOut) throw std::invalid_argument(where + ": too long");
  return static_cast<Frame>(length);
}

}  // namespace

VirtualDisc::VirtualDisc(std::vector<Frame> trackLengths) : lengths_(std::move(trackLengths)) {
  if (lengths_.empty()) throw std::invalid_argument("a disc needs at least one track");
  if (lengths_.size() > 99) throw std::invalid_argument("a disc holds at most 99 tracks");
  Frame at = kLeadInFrames;
  for (std::size_t i = 0; i < lengths_.size(); ++i) {
    if (lengths_[i] == 0) throw std::invalid_argument("track " + std::to_string(i + 1) + " has no length");
    toc_.starts.push_back(at);
    if (lengths_[i] > kMaxLeadOut - at) throw std::invalid_argument("the disc is too long");
    at += lengths_[i];
  }
  // The interface reports the last track one frame short of the lead-out, so the lead-out
  // lies one frame after the end of the last track's stated length.
  if (at + 1 > kMaxLeadOut) throw std::invalid_argument("the disc is too long");
  toc_.leadOut = at + 1;
  generated_ = std::make_shared<GeneratedAudioSource>(toc_);
}

VirtualDisc VirtualDisc::Demo() {
  return VirtualDisc({FromMsf(4, 12, 30), FromMsf(3, 48, 5), FromMsf(5, 21, 60), FromMsf(2, 40, 10), FromMsf(4, 55, 0),
                      FromMsf(6, 3, 44), FromMsf(3, 27, 12), FromMsf(4, 33, 74), FromMsf(7, 29, 50), FromMsf(3, 59, 21),
                      FromMsf(5, 16, 8), FromMsf(3, 2, 66)});
}

VirtualDisc VirtualDisc::FromImage(const std::string& sheetPath) {
  VirtualDisc disc;
  auto image = ImageDisc::Open(sheetPath);
  disc.toc_ = image->TableOfContents();
  for (std::size_t i = 0; i < disc.toc_.starts.size(); ++i) {
    const Frame end = i + 1 < disc.toc_.starts.size() ? disc.toc_.starts[i + 1] : disc.toc_.leadOut;
    disc.lengths_.push_back(end - disc.toc_.starts[i]);
  }
  disc.image_ = std::move(image);
  disc.imagePath_ = sheetPath;
  return disc;
}

VirtualDisc VirtualDisc::Parse(const std::string& text) {
  const std::string t = Trim(text);
  if (t == "demo") return Demo();
  if (t.rfind("image:", 0) == 0) {
    if (Trim(t.substr(6)).empty()) throw DiscImageError("image: names no CUE sheet");
    return FromImage(Trim(t.substr(6)));
  }
  if (t.empty()) throw std::invalid_argument("empty disc description");
  std::vector<Frame> lengths;
  std::size_t start = 0;
  for (;;) {
    const auto comma = t.find(',', start);
    const std::string item = Trim(t.substr(start, comma == std::string::npos ? comma : comma - start));
    lengths.push_back(ParseLength(item, lengths.size()));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return VirtualDisc(std::move(lengths));
}

std::string VirtualDisc::Describe() const {
  if (!imagePath_.empty()) return "image:" + imagePath_;
  std::string out;
  for (std::size_t i = 0; i < lengths_.size(); ++i) {
    const Frame f = lengths_[i];
    char buf[32];
    const auto s = Seconds(f);
    std::snprintf(buf, sizeof buf, "%u:%02u.%02u", Minutes(f), s, Frames(f));
    if (i) out += ',';
    out += buf;
  }
  return out;
}

}  // namespace platform::cd
