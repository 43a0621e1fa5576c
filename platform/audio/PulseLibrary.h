// libpulse, loaded when the first stream is opened rather than with the program. The
// library brings a dozen codec libraries with it (libsndfile, FLAC, Vorbis, Opus, MP3); a
// deck that never plays, or plays in silence, should not pay for them at every start.
#pragma once

#include <pulse/pulseaudio.h>

#include <string>

namespace platform::audio {

// Every libpulse function the sound output calls.
// clang-format off
#define PLUME_PULSE_FUNCTIONS(X) \
  X(pa_context_connect) \
  X(pa_context_disconnect) \
  X(pa_context_errno) \
  X(pa_context_get_state) \
  X(pa_context_new_with_proplist) \
  X(pa_context_rttime_new) \
  X(pa_context_set_state_callback) \
  X(pa_context_unref) \
  X(pa_operation_get_state) \
  X(pa_operation_unref) \
  X(pa_proplist_free) \
  X(pa_proplist_new) \
  X(pa_proplist_sets) \
  X(pa_rtclock_now) \
  X(pa_stream_connect_playback) \
  X(pa_stream_cork) \
  X(pa_stream_disconnect) \
  X(pa_stream_drain) \
  X(pa_stream_flush) \
  X(pa_stream_get_state) \
  X(pa_stream_get_time) \
  X(pa_stream_get_timing_info) \
  X(pa_stream_new_with_proplist) \
  X(pa_stream_set_state_callback) \
  X(pa_stream_set_write_callback) \
  X(pa_stream_unref) \
  X(pa_stream_update_timing_info) \
  X(pa_stream_writable_size) \
  X(pa_stream_write) \
  X(pa_strerror) \
  X(pa_threaded_mainloop_free) \
  X(pa_threaded_mainloop_get_api) \
  X(pa_threaded_mainloop_lock) \
  X(pa_threaded_mainloop_new) \
  X(pa_threaded_mainloop_signal) \
  X(pa_threaded_mainloop_start) \
  X(pa_threaded_mainloop_stop) \
  X(pa_threaded_mainloop_unlock) \
  X(pa_threaded_mainloop_wait)
// clang-format on

struct PulseLibrary {
#define PLUME_PULSE_POINTER(name) decltype(&::name) name = nullptr;
  PLUME_PULSE_FUNCTIONS(PLUME_PULSE_POINTER)
#undef PLUME_PULSE_POINTER
};

// The library, loaded on the first call and kept for the rest of the run; nullptr when it
// cannot be loaded, with the reason in error (the same answer on every later call).
const PulseLibrary* LoadPulse(std::string& error);

}  // namespace platform::audio
