#include "platform/desktop/MediaControls.h"

namespace platform::desktop {

namespace {

class SilentMediaControls final : public MediaControls {
 public:
  void SetTarget(HWND) override {}
  void Publish(const MediaState&) override {}
};

MediaControls* installed = nullptr;

}  // namespace

MediaControls& CurrentMediaControls() {
  static SilentMediaControls silent;
  return installed != nullptr ? *installed : silent;
}

MediaControls* SetMediaControls(MediaControls* controls) {
  MediaControls* previous = installed;
  installed = controls;
  return previous;
}

}  // namespace platform::desktop
