// What a CD drive must do for the command layer. A driver knows only absolute frame
// addresses; time formats, device ids and notifications belong to the command layer.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/mci/CdFrames.h"

namespace platform::cd {

// Table of contents: the start of each track and the lead-out, in absolute frames.
struct Toc {
  std::vector<Frame> starts;
  Frame leadOut = 0;

  int TrackCount() const { return static_cast<int>(starts.size()); }
  // The track (1-based) that holds a frame; frames before the first track count as track 1.
  int TrackAt(Frame f) const;
};

enum class AudioState { Stopped, Playing, Paused };

enum class Result { Ok, NotReady, Failed };

class CdDriver {
 public:
  virtual ~CdDriver() = default;

  virtual bool DoorOpen() = 0;
  // A readable disc sits in the closed drive.
  virtual bool Ready() = 0;
  virtual std::optional<Toc> ReadToc() = 0;

  // Plays [from, to); the end is reported through the play-ended handler.
  virtual Result Play(Frame from, Frame to) = 0;
  virtual Result Pause() = 0;
  virtual Result Stop() = 0;
  virtual Result Seek(Frame to) = 0;
  virtual Frame Position() = 0;
  virtual AudioState State() = 0;
  virtual Result SetDoor(bool open) = 0;

  // CD-Text of the disc in the drive, where the drive can read it (1-based track; 0 for
  // the disc itself).
  virtual std::optional<std::string> TrackTitle(int /*track*/) { return std::nullopt; }

  // Called from the event loop when a play reaches its end by itself.
  void SetPlayEndedHandler(std::function<void()> fn) { playEnded_ = std::move(fn); }
  // Called from the event loop when a play stops because the disc went away.
  void SetPlayLostHandler(std::function<void()> fn) { playLost_ = std::move(fn); }

 protected:
  void NotifyPlayEnded() {
    if (playEnded_) playEnded_();
  }
  void NotifyPlayLost() {
    if (playLost_) playLost_();
  }

 private:
  std::function<void()> playEnded_;
  std::function<void()> playLost_;
};

}  // namespace platform::cd
