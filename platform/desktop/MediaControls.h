// The desktop's media controls: the keyboard's media keys and the shell's player controls.
// The player tells the service what it plays; the service hands the desktop's commands back
// to the player as posted messages, so that they run from the event loop like a click.
// Without a desktop to talk to, the stand-in service takes everything and says nothing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/messages/Messages.h"

namespace platform::desktop {

// Posted to the player's window with a MediaCommand as wParam.
constexpr UINT WM_MEDIACOMMAND = WM_APP + 0x0110;

enum class MediaCommand : WPARAM { Play = 1, Pause, PlayPause, Stop, Next, Previous, Raise, Quit };

enum class PlaybackStatus { Stopped, Playing, Paused };

// What the player shows, as the desktop is told it.
struct MediaState {
  PlaybackStatus status = PlaybackStatus::Stopped;
  int track = 0;  // the track in the display, 1-based; 0 without a disc
  std::int64_t lengthUs = 0;
  std::string title;
  std::int64_t positionUs = 0;  // within the track
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canPlay = false;
  bool canPause = false;

  bool operator==(const MediaState&) const = default;
};

class MediaControls {
 public:
  virtual ~MediaControls() = default;

  // The window the commands are posted to; nullptr stops them.
  virtual void SetTarget(HWND window) = 0;
  // The player's state now. The service tells the desktop what changed since the last call;
  // the position alone is no change, as the desktop asks for it when it wants it.
  virtual void Publish(const MediaState& state) = 0;
};

// The service in force: a silent stand-in until the platform installs one.
MediaControls& CurrentMediaControls();
// Installs a service and returns the previous one (nullptr: back to the stand-in).
MediaControls* SetMediaControls(MediaControls* controls);

}  // namespace platform::desktop
