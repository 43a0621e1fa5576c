#include "platform/audio/PulseLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace platform::audio {

namespace {

struct Loaded {
  PulseLibrary functions;
  bool ok = false;
  std::string error;
};

Loaded Load() {
  Loaded loaded;
  // Kept open for the rest of the run: the library's own thread may outlive any stream.
  void* handle = ::dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = ::dlerror();
    loaded.error = std::string("libpulse cannot be loaded: ") + (why ? why : "unknown reason");
    return loaded;
  }
#define PLUME_PULSE_RESOLVE(name)                                                      \
  loaded.functions.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name)); \
  if (loaded.functions.name == nullptr) {                                              \
    loaded.error = "libpulse lacks " #name;                                            \
    return loaded;                                                                     \
  }
  PLUME_PULSE_FUNCTIONS(PLUME_PULSE_RESOLVE)
#undef PLUME_PULSE_RESOLVE
  loaded.ok = true;
  return loaded;
}

}  // namespace

const PulseLibrary* LoadPulse(std::string& error) {
  static std::once_flag once;
  static Loaded loaded;
  std::call_once(once, [] { loaded = Load(); });
  if (!loaded.ok) {
    error = loaded.error;
    return nullptr;
  }
  return &loaded.functions;
}

}  // namespace platform::audio
