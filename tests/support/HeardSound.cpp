#include <gtest/gtest.h>

#include "tests/support/HeardSound.h"

#include <algorithm>
#include <string>

using platform::cd::Frame;
using platform::cd::kSamplesPerSector;
using platform::cd::kSectorBytes;

int CountingSource::Read(Frame first, int count, std::uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    const Frame f = first + static_cast<Frame>(i);
    if (f >= toc_.leadOut || bad.count(f)) return i;
    for (std::size_t s = 0; s < kSamplesPerSector; ++s) {
      const std::uint32_t n = static_cast<std::uint32_t>(f * kSamplesPerSector + s);
      std::uint8_t* p = out + std::size_t(i) * kSectorBytes + s * 4;
      p[0] = static_cast<std::uint8_t>(n);
      p[1] = static_cast<std::uint8_t>(n >> 8);
      p[2] = static_cast<std::uint8_t>(n >> 16);
      p[3] = static_cast<std::uint8_t>(n >> 24);
    }
  }
  return count;
}

std::uint32_t CountingSource::SampleAt(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::size_t HeardOutput::Write(const std::uint8_t* data, std::size_t bytes) {
  // Kept before the clock takes them, since the clock may play the first part while the
  // write still waits for room for the rest; what it did not take goes again.
  std::size_t before;
  {
    std::lock_guard lock(mutex_);
    before = pending_.size();
    for (std::size_t i = 0; i + 4 <= bytes; i += 4) pending_.push_back(CountingSource::SampleAt(data + i));
  }
  const std::size_t taken = clock_.Write(data, bytes);
  std::lock_guard lock(mutex_);
  if (taken < bytes && pending_.size() >= before + bytes / 4) pending_.resize(before + taken / 4);
  return taken;
}

void HeardOutput::Flush() {
  const std::uint64_t played = clock_.FramesPlayed();
  std::lock_guard lock(mutex_);
  heard_.insert(heard_.end(), pending_.begin(), pending_.begin() + std::min<std::uint64_t>(played, pending_.size()));
  pending_.clear();
  clock_.Flush();
}

std::vector<std::uint32_t> HeardOutput::Heard() {
  const std::uint64_t played = clock_.FramesPlayed();
  std::lock_guard lock(mutex_);
  std::vector<std::uint32_t> all = heard_;
  all.insert(all.end(), pending_.begin(), pending_.begin() + std::min<std::uint64_t>(played, pending_.size()));
  return all;
}

::testing::AssertionResult RunsOver(const std::vector<std::uint32_t>& heard,
                                    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& spans) {
  std::size_t at = 0;
  for (const auto& [begin, end] : spans) {
    for (std::uint32_t n = begin; n < end; ++n, ++at) {
      if (at >= heard.size())
        return ::testing::AssertionFailure() << "heard ends after " << at << " sample pairs, before " << n;
      if (heard[at] != n)
        return ::testing::AssertionFailure() << "sample pair " << at << " is " << heard[at] << ", not " << n;
    }
  }
  if (at != heard.size())
    return ::testing::AssertionFailure() << heard.size() - at << " sample pairs heard past the end (next: " << heard[at]
                                         << ")";
  return ::testing::AssertionSuccess();
}
