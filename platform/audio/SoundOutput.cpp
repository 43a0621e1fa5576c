#include "platform/audio/SoundOutput.h"

#include <iostream>
#include <mutex>
#include <utility>

#include "platform/audio/ClockSoundOutput.h"
#ifndef _WIN32
#include "platform/audio/PulseSoundOutput.h"
#endif

namespace platform::audio {

namespace {

std::mutex g_mutex;
SoundOutputFactory g_factory;

}  // namespace

std::unique_ptr<SoundOutput> MakeSoundOutput() {
  SoundOutputFactory factory;
  {
    std::lock_guard lock(g_mutex);
    factory = g_factory;
  }
  if (factory) return factory();
  return std::make_unique<ClockSoundOutput>(true);
}

SoundOutputFactory SetSoundOutputFactory(SoundOutputFactory factory) {
  std::lock_guard lock(g_mutex);
  return std::exchange(g_factory, std::move(factory));
}

#ifdef _WIN32
// The system's drives play through the system's own CD audio device; the table's drives
// keep time on the clock, silent.
void UseSystemSound(const std::string&) {
  SetSoundOutputFactory([]() -> std::unique_ptr<SoundOutput> { return ClockSoundOutput::StandIn(); });
}
#else
void UseSystemSound(const std::string& applicationName) {
  // Once the server has said no, later drives do not ask again: it would only say no again
  // (or, started meanwhile, give one drive sound and the other none).
  auto refused = std::make_shared<bool>(false);
  SetSoundOutputFactory([applicationName, refused]() -> std::unique_ptr<SoundOutput> {
    if (!*refused) {
      auto pulse = std::make_unique<PulseSoundOutput>(applicationName);
      if (pulse->Open()) return pulse;
      *refused = true;
      std::cerr << "plume: no sound server (" << pulse->Error() << "); the deck plays on in silence\n";
    }
    return ClockSoundOutput::StandIn();
  });
}

#endif

}  // namespace platform::audio
