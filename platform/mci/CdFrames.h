// CD time arithmetic in frames: 75 frames a second, 60 seconds a minute. Positions are
// absolute disc addresses, so the first track of a pressed disc starts after the two
// seconds of lead-in gap.
#pragma once

#include <cstdint>

namespace platform::cd {

using Frame = std::uint32_t;

constexpr Frame kFramesPerSecond = 75;
constexpr Frame kFramesPerMinute = 60 * kFramesPerSecond;
constexpr Frame kLeadInFrames = 2 * kFramesPerSecond;

constexpr Frame FromMsf(std::uint32_t m, std::uint32_t s, std::uint32_t f) {
  return m * kFramesPerMinute + s * kFramesPerSecond + f;
}
constexpr std::uint32_t Minutes(Frame f) { return f / kFramesPerMinute; }
constexpr std::uint32_t Seconds(Frame f) { return (f / kFramesPerSecond) % 60; }
constexpr std::uint32_t Frames(Frame f) { return f % kFramesPerSecond; }

// Milliseconds taken to play a span of frames, rounded up so that a timer set for the end
// never fires before the last frame has been reached.
constexpr std::uint64_t SpanMs(Frame frames) {
  return (std::uint64_t(frames) * 1000 + kFramesPerSecond - 1) / kFramesPerSecond;
}
// Frames reached after ms of play, rounded down.
constexpr Frame FramesIn(std::uint64_t ms) { return Frame(ms * kFramesPerSecond / 1000); }

}  // namespace platform::cd
