// A CD-ROM drive of the machine. It plays digitally: the audio sectors are read through
// libcdio and paranoia and played through the sound output (see DigitalCdDriver). For the
// rare machine whose drive is wired to a sound card it can instead ask the drive to play
// through its own analog output.
//
// The drive is opened when first needed and again after its tray was opened, since the disc
// may then be another one; a disc changed by hand is noticed through the drive's
// media-changed flag. The door is what the drive's status request says where the drive
// answers it, and otherwise as the program last moved it (closed until then). While a play
// runs, a timer asks the drive every few hundred milliseconds whether its disc is still
// there and, playing analog, where it is, to report the end of the play (or its loss) once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/audio/SoundOutput.h"
#include "platform/mci/CdDriver.h"
#include "platform/mci/CdioAccess.h"
#include "platform/mci/DigitalCdDriver.h"
#include "platform/messages/EventLoop.h"

namespace platform::cd {

class RealCdDrive : public CdDriver {
 public:
  // How often a running play is asked where it is.
  static constexpr std::uint32_t kPollMs = 200;

  enum class Playback { Analog, Digital };

  // Digital playback goes through the output given, or one made by MakeSoundOutput.
  explicit RealCdDrive(std::unique_ptr<CdioAccess> access, Playback playback = Playback::Analog,
                       std::unique_ptr<audio::SoundOutput> output = nullptr);
  ~RealCdDrive() override;
  RealCdDrive(const RealCdDrive&) = delete;
  RealCdDrive& operator=(const RealCdDrive&) = delete;

  bool DoorOpen() override;
  bool Ready() override;
  std::optional<Toc> ReadToc() override;
  Result Play(Frame from, Frame to) override;
  Result Pause() override;
  Result Stop() override;
  Result Seek(Frame to) override;
  Frame Position() override;
  AudioState State() override;
  Result SetDoor(bool open) override;

 private:
  // Our own play: none, running towards playTo_, or paused where position_ stands.
  enum class Phase { Idle, Running, Paused };

  // Makes sure the drive is open and its disc's TOC known; false without a playable disc.
  bool Refresh();
  // Whether the disc whose TOC we hold is still in the drive.
  bool StillThere();
  std::optional<Toc> ReadDiscToc();
  void Forget();

  // Reads where the drive is and what it does, and settles a play that ended.
  std::optional<Subchannel> Sample();
  void Observe(const Subchannel& sub);
  bool NearEnd() const;
  void EndPlay(bool reached);
  void LosePlay();

  void StartPoll();
  void CancelPoll();
  void Poll();

  // Hands the disc just read to the digital player, or takes it away.
  void Mount();

  std::unique_ptr<CdioAccess> access_;
  std::unique_ptr<DigitalCdDriver> digital_;  // none when playing analog
  bool doorOpen_ = false;
  std::optional<Toc> toc_;

  Phase phase_ = Phase::Idle;
  Frame position_ = kLeadInFrames;  // where the head stands, or last stood
  Frame playFrom_ = 0;
  Frame playTo_ = 0;
  std::uint64_t playStartedAt_ = 0;
  bool heard_ = false;  // the drive has said it plays since the play began

  std::optional<EventLoop::TimerId> pollTimer_;
  EventLoop* timerLoop_ = nullptr;
};

}  // namespace platform::cd
