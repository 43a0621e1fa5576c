// Digital playback against a real sound server (run it with PULSE_SERVER pointing at one
// whose default sink has a monitor, as bench/sound_bench.sh arranges): the CPU time the
// deck spends per minute of playback, and the time from a play command to the first sound
// on the sink's monitor.
#include <pulse/simple.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/SoundOutput.h"
#include "platform/drives/DriveTable.h"
#include "platform/mci/Mmsystem.h"
#include "platform/messages/ManualEventLoop.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

MCIDEVICEID OpenDrive() {
  MCI_OPEN_PARMS open{};
  open.lpstrDeviceType = "cdaudio";
  open.lpstrElementName = "D:";
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) return 0;
  return open.wDeviceID;
}

void Serve(platform::ManualEventLoop& loop, int ms) {
  for (int i = 0; i < ms / 10; ++i) {
    loop.Advance(10);
    ::usleep(10000);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::stoi(argv[1]) : 30;
  const char* monitor = argc > 2 ? argv[2] : "testsink.monitor";
  platform::ManualEventLoop loop;
  platform::SetEventLoop(&loop);
  platform::audio::UseSystemSound("plume-bench");
  platform::DriveTable::Instance().Configure("sim");
  const MCIDEVICEID id = OpenDrive();
  if (id == 0) return std::fprintf(stderr, "cannot open the drive\n"), 1;
  MCI_PLAY_PARMS play{};
  MCI_GENERIC_PARMS generic{};

  // Latency: a recorder in this process reads the monitor in 5 ms pieces.
  std::vector<double> latencies;
  {
    const pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 2};
    pa_buffer_attr attr{static_cast<std::uint32_t>(-1), 0, 0, 0, 882};
    int error = 0;
    pa_simple* rec =
        pa_simple_new(nullptr, "plume-bench", PA_STREAM_RECORD, monitor, "monitor", &format, nullptr, &attr, &error);
    if (rec == nullptr) return std::fprintf(stderr, "cannot record %s\n", monitor), 1;
    for (int round = 0; round < 10; ++round) {
      std::atomic<bool> heard{false};
      std::atomic<bool> stop{false};
      Clock::time_point at{};
      std::thread reader([&] {
        std::vector<std::int16_t> buf(441);
        while (!stop) {
          if (pa_simple_read(rec, buf.data(), buf.size() * 2, &error) < 0) break;
          for (auto v : buf)
            if (!heard && (v > 64 || v < -64)) {
              at = Clock::now();
              heard = true;
            }
        }
      });
      Serve(loop, 300);
      const auto pressed = Clock::now();
      mciSendCommandA(id, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
      for (int i = 0; i < 200 && !heard; ++i) Serve(loop, 10);
      mciSendCommandA(id, MCI_STOP, 0, reinterpret_cast<DWORD_PTR>(&generic));
      Serve(loop, 300);
      stop = true;
      reader.join();
      if (heard) latencies.push_back(std::chrono::duration<double, std::milli>(at - pressed).count());
      MCI_SEEK_PARMS seek{};
      mciSendCommandA(id, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
    }
    pa_simple_free(rec);
  }

  // CPU: a stretch of playback with nobody recording.
  const double cpu0 = CpuSeconds();
  const auto t0 = Clock::now();
  mciSendCommandA(id, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
  Serve(loop, seconds * 1000);
  mciSendCommandA(id, MCI_STOP, 0, reinterpret_cast<DWORD_PTR>(&generic));
  const double cpu = CpuSeconds() - cpu0;
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();

  // The idle loop that serves the manual loop in this program costs a little too: measured
  // alone, it is taken off.
  const double idle0 = CpuSeconds();
  Serve(loop, 5000);
  const double idle = (CpuSeconds() - idle0) / 5.0 * wall;

  std::sort(latencies.begin(), latencies.end());
  std::printf("play to first sound on the monitor (ms), %zu plays: min %.1f median %.1f max %.1f\n", latencies.size(),
              latencies.empty() ? 0 : latencies.front(), latencies.empty() ? 0 : latencies[latencies.size() / 2],
              latencies.empty() ? 0 : latencies.back());
  std::printf("CPU over %.1f s of playback: %.3f s (%.3f s after the serving loop's own %.3f s)\n", wall, cpu,
              cpu - idle, idle);
  std::printf("per minute of playback: %.2f s of CPU, %.2f %% of one core\n", (cpu - idle) / wall * 60,
              (cpu - idle) / wall * 100);
  mciSendCommandA(id, MCI_CLOSE, 0, 0);
  return 0;
}
