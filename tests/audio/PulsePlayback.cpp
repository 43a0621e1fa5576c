// Digital playback through a real sound server: three tones played through the CD command
// layer, with a pause in the middle, into a null sink whose monitor the calling script
// records. Run as "play", then as "check <recording>" on what was recorded.
//
// The check: after the first 50 ms (which a new stream never delivers to the monitor) the
// recording is the source sample for sample, except for one stretch of silence where the
// pause was; the tones come in their order and lengths.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio/SoundOutput.h"
#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/GeneratedAudioSource.h"
#include "platform/mci/Mmsystem.h"
#include "platform/mci/SimulatedDrive.h"
#include "platform/messages/ManualEventLoop.h"
#include "platform/messages/Messages.h"

namespace {

using namespace platform::cd;

constexpr double kTones[] = {440.0, 660.0, 990.0};
constexpr Frame kLengths[] = {75, 113, 150};  // 1 s, about 1.5 s, 2 s
constexpr int kPauseAtMs = 1800;
constexpr int kPauseMs = 1000;

// Three tracks of pure tones after the lead-in.
class ThreeTones : public SectorSource {
 public:
  ThreeTones() {
    Frame at = kLeadInFrames;
    for (Frame l : kLengths) {
      toc_.starts.push_back(at);
      at += l;
    }
    toc_.leadOut = at;
  }
  Toc TableOfContents() const override { return toc_; }
  int Read(Frame first, int count, std::uint8_t* out) override {
    for (int i = 0; i < count; ++i) {
      const Frame f = first + static_cast<Frame>(i);
      if (f >= toc_.leadOut) return i;
      for (std::size_t s = 0; s < kSamplesPerSector; ++s) {
        const std::int16_t v = Sample(f, s);
        std::uint8_t* p = out + std::size_t(i) * kSectorBytes + s * 4;
        p[0] = p[2] = static_cast<std::uint8_t>(v & 0xFF);
        p[1] = p[3] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
      }
    }
    return count;
  }
  // The left sample of sample pair s of frame f.
  std::int16_t Sample(Frame f, std::size_t s) const {
    if (f < toc_.starts.front() || f >= toc_.leadOut) return 0;
    const int t = toc_.TrackAt(f) - 1;
    const double n = double((f - toc_.starts[t]) * kSamplesPerSector + s);
    // A whisper of noise under the tone: a pure tone repeats itself every few milliseconds,
    // and a recording must be matched to one place in the source only.
    std::uint32_t h = static_cast<std::uint32_t>(f * kSamplesPerSector + s) * 2654435761u;
    h ^= h >> 15;
    const long noise = static_cast<long>(h % 65) - 32;
    return static_cast<std::int16_t>(std::lround(12000.0 * std::sin(2 * M_PI * kTones[t] * n / 44100.0)) + noise);
  }
  // The whole disc's left channel from the first track on.
  std::vector<std::int16_t> Left() const {
    std::vector<std::int16_t> all;
    for (Frame f = toc_.starts.front(); f < toc_.leadOut; ++f)
      for (std::size_t s = 0; s < kSamplesPerSector; ++s) all.push_back(Sample(f, s));
    return all;
  }

 private:
  Toc toc_;
};

// Writes the three tones as a disc image, a CUE sheet with one raw BIN, into a folder of
// the test's own, and returns the sheet's path; the drive then reads the image as any other.
std::string WriteImage() {
  char folder[] = "/tmp/plume-tones-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return {};
  ThreeTones tones;
  const Toc toc = tones.TableOfContents();
  const std::string base = std::string(folder) + "/tones";
  std::ofstream bin(base + ".bin", std::ios::binary);
  std::vector<std::uint8_t> sector(kSectorBytes);
  for (Frame f = toc.starts.front(); f < toc.leadOut; ++f) {
    tones.Read(f, 1, sector.data());
    bin.write(reinterpret_cast<const char*>(sector.data()), static_cast<std::streamsize>(sector.size()));
  }
  std::ofstream cue(base + ".cue", std::ios::binary);
  cue << "FILE \"tones.bin\" BINARY\n";
  for (int t = 0; t < toc.TrackCount(); ++t) {
    const Frame at = toc.starts[std::size_t(t)] - toc.starts.front();
    char line[64];
    std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n    INDEX 01 %02u:%02u:%02u\n", t + 1, Minutes(at),
                  Seconds(at), Frames(at));
    cue << line;
  }
  return (bin && cue) ? base + ".cue" : std::string();
}

// Whether the play is paused for a second in the middle ("play"/"check") or runs straight
// through ("play-straight"/"check-straight").
bool withPause = true;

int Play() {
  platform::ManualEventLoop loop;
  platform::SetEventLoop(&loop);
  platform::audio::UseSystemSound("plume");
  const std::string sheet = WriteImage();
  if (sheet.empty()) {
    std::cerr << "cannot write the disc image\n";
    return 1;
  }
  auto& table = platform::DriveTable::Instance();
  table.Configure("image:" + sheet);
  // The drive reads the image like a new disc: it is ready once it has spun up.
  for (int waited = 0; !table.CdDriver('D')->Ready() && waited < 5000; waited += 50) loop.Advance(50);

  std::vector<WPARAM> codes;
  HWND window = CreateMessageWindow([&](HWND, UINT msg, WPARAM w, LPARAM) -> LRESULT {
    if (msg == MM_MCINOTIFY) codes.push_back(w);
    return 0;
  });
  MCI_OPEN_PARMS open{};
  open.lpstrDeviceType = "cdaudio";
  open.lpstrElementName = "D:";
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
    std::cerr << "cannot open the drive\n";
    return 1;
  }
  const MCIDEVICEID id = open.wDeviceID;
  // Real time: the loop is served every 5 ms while the sound plays.
  const auto serve = [&](int ms) {
    for (int i = 0; i < ms / 5; ++i) {
      loop.Advance(5);
      ::usleep(5000);
    }
  };
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
  if (mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0) return 1;
  if (withPause) {
    serve(kPauseAtMs);
    MCI_GENERIC_PARMS generic{};
    if (mciSendCommandA(id, MCI_PAUSE, 0, reinterpret_cast<DWORD_PTR>(&generic)) != 0) return 1;
    serve(kPauseMs);
    // The pause aborted the first play; the second is the one that must end well.
    codes.clear();
    if (mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0) return 1;
  }
  for (int waited = 0; codes.size() < 1 && waited < 10000; waited += 5) serve(5);
  if (codes.empty() || codes.back() != MCI_NOTIFY_SUCCESSFUL) {
    std::cerr << "the play did not end with success\n";
    return 1;
  }
  mciSendCommandA(id, MCI_CLOSE, 0, 0);
  DestroyWindow(window);
  table.Configure("none");
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(sheet).parent_path(), ignored);
  return 0;
}

double Goertzel(const std::int16_t* x, std::size_t n, double hz) {
  const double k = 2.0 * std::cos(2.0 * M_PI * hz / 44100.0);
  double s1 = 0, s2 = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double s0 = x[i] + k * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - k * s1 * s2;
}

// The left channel of a raw recording (16-bit little-endian stereo).
std::vector<std::int16_t> LeftOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::int16_t> left;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
    left.push_back(static_cast<std::int16_t>(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8));
  return left;
}

// Which of the frequencies given sounds loudest in each 100 ms of a recording: its number
// (1-based), or '.' for silence.
std::string LoudestWindows(const std::vector<std::int16_t>& left, const std::vector<double>& hz) {
  std::string seen;
  for (std::size_t w = 0; w + 4410 <= left.size(); w += 4410) {
    double energy = 0;
    for (std::size_t i = w; i < w + 4410; ++i) energy += double(left[i]) * left[i];
    if (energy / 4410 < 1e5) {
      seen += '.';
      continue;
    }
    std::size_t best = 0;
    double loudest = -1;
    for (std::size_t k = 0; k < hz.size(); ++k) {
      const double power = Goertzel(&left[w], 4410, hz[k]);
      if (power > loudest) {
        loudest = power;
        best = k;
      }
    }
    seen += static_cast<char>('1' + best);
  }
  return seen;
}

using Fault = std::function<void(const std::string&)>;

// The tones in their order and lengths: 1 s of the first, 1.5 s of the second, 2 s of the
// third, with the pause's second of silence inside the second tone.
void CheckTones(const std::vector<std::int16_t>& left, const Fault& fault) {
  const std::string seen = LoudestWindows(left, {std::begin(kTones), std::end(kTones)});
  std::cerr << "heard in 100 ms windows: " << seen << '\n';
  const auto b = seen.find_first_not_of('.'), e = seen.find_last_not_of('.');
  if (b == std::string::npos) return fault("nothing was heard");
  const std::string core = seen.substr(b, e - b + 1);
  const auto count = [&](char c) { return static_cast<int>(std::count(core.begin(), core.end(), c)); };
  // Windows that straddle a change of tone may go either way: one window of slack each.
  if (std::abs(count('1') - 10) > 1) fault("the first tone lasts " + std::to_string(count('1')) + " windows, not 10");
  if (std::abs(count('2') - 15) > 2) fault("the second tone lasts " + std::to_string(count('2')) + " windows, not 15");
  if (std::abs(count('3') - 20) > 1) fault("the third tone lasts " + std::to_string(count('3')) + " windows, not 20");
  if (std::abs(count('.') - (withPause ? kPauseMs / 100 : 0)) > 2)
    fault("the pause lasts " + std::to_string(count('.')) + " windows");
  if (core.find_last_of('1') > core.find_first_of('2') || core.find_last_of('2') > core.find_first_of('3'))
    fault("the tones are out of order");
}

// Where in the source the recording is, 50 ms after its first sound; npos if nowhere.
std::size_t Align(const std::vector<std::int16_t>& source, const std::vector<std::int16_t>& left, std::size_t& at) {
  at = 0;
  while (at < left.size() && left[at] == 0) ++at;
  at += 2205;
  for (std::size_t s = 0; s + 64 < source.size() && s < 44100 && at + 64 <= left.size(); ++s)
    if (std::equal(source.begin() + s, source.begin() + s + 64, left.begin() + at)) return s;
  return std::string::npos;
}

// The longest run of silence starting within 200 ms of `at`, as [start, end).
std::pair<std::size_t, std::size_t> LongestSilenceNear(const std::vector<std::int16_t>& left, std::size_t at) {
  std::size_t start = at, end = at;
  for (std::size_t probe = at; probe < at + 8820 && probe < left.size(); ++probe) {
    std::size_t r = probe;
    while (r < left.size() && left[r] == 0) ++r;
    if (r - probe > end - start) {
      start = probe;
      end = r;
    }
  }
  return {start, end};
}

// Sample for sample: walk the recording and the source together. Where they part, the
// pause begins: a stretch of silence, after which the recording must go on with the source
// exactly where it left off, nothing lost and nothing heard twice, and then run on to the
// end sample for sample.
void CheckSamples(const std::vector<std::int16_t>& source, const std::vector<std::int16_t>& left, const Fault& fault) {
  std::size_t at = 0;
  std::size_t src = Align(source, left, at);
  if (src == std::string::npos) return fault("the recording is not the source");
  int pauses = 0, seams = 0;
  while (src < source.size() && at < left.size()) {
    if (left[at] == source[src]) {
      ++at;
      ++src;
      continue;
    }
    // The longest silence close by is the pause (the sound may part a little before it).
    const auto [start, quiet] = LongestSilenceNear(left, at);
    if (quiet - start >= 4410) ++pauses;
    // Where the sound goes on, in the source.
    std::size_t back = std::string::npos;
    for (std::size_t s = src > 22050 ? src - 22050 : 0; s + 256 < source.size() && s < src + 22050; ++s)
      if (quiet + 256 <= left.size() &&
          std::equal(source.begin() + s, source.begin() + s + 256, left.begin() + quiet)) {
        back = s;
        break;
      }
    if (back == std::string::npos || ++seams > 2 || pauses > 1) {
      fault("the recording parts from the source at source sample " + std::to_string(src));
      break;
    }
    const long seam = static_cast<long>(back) - static_cast<long>(src);
    std::cerr << "seam at source sample " << src << ": " << (quiet - start) * 1000 / 44100 << " ms of silence, then "
              << (seam >= 0 ? "skipping " : "repeating ") << std::labs(seam) << " samples\n";
    if (seam != 0) fault("the sound does not go on where it paused");
    at = quiet;
    src = back;
  }
  if (src < source.size()) fault("the recording ends " + std::to_string(source.size() - src) + " samples early");
  const int expected = withPause ? 1 : 0;
  if (pauses != expected)
    fault("expected " + std::to_string(expected) + " pause in the recording, found " + std::to_string(pauses));
  if (seams != pauses) fault("the sound parted from the source outside the pause");
}

int Check(const std::string& path) {
  const auto left = LeftOf(path);
  int faults = 0;
  const Fault fault = [&](const std::string& what) {
    std::cerr << "FAIL: " << what << '\n';
    ++faults;
  };
  CheckTones(left, fault);
  if (faults == 0) CheckSamples(ThreeTones().Left(), left, fault);
  if (faults == 0) std::cerr << "the recording matches the source\n";
  return faults == 0 ? 0 : 1;
}

int Loudest(const std::string& path, const std::vector<double>& hz) {
  std::cout << LoudestWindows(LeftOf(path), hz) << '\n';
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "play-straight" || mode == "check-straight") withPause = false;
  if (mode == "play" || mode == "play-straight") return Play();
  if (mode == "check-straight" && argc > 2) return Check(argv[2]);
  if (mode == "check" && argc > 2) return Check(argv[2]);
  if (mode == "roots" && argc > 2)
    return Loudest(argv[2], {GeneratedAudioSource::RootHz(1), GeneratedAudioSource::RootHz(2)});
  if (mode == "tones" && argc > 3) {
    std::vector<double> hz;
    std::istringstream list(argv[3]);
    std::string item;
    while (std::getline(list, item, ',')) hz.push_back(std::stod(item));
    if (!hz.empty() && hz.size() < 10) return Loudest(argv[2], hz);
  }
  std::cerr << "usage: " << argv[0]
            << " play | check <recording> | roots <recording> | tones <recording> <Hz,Hz,...>\n";
  return 2;
}
