// A CD drive that exists only in memory: a door and perhaps a disc, whose sound it plays
// digitally through a sound output (see DigitalCdDriver); on the clock output of tests its
// play head moves with the event loop's clock.
//
// Besides the driver operations, a test (or a person) can act on it as on a real drive:
// take the disc out, put another in, open and close the door. When it is given a control
// file, it also follows that file from outside the program: lines "door=open|closed" and
// "disc=none|demo|image:<sheet>|<lengths>" (see VirtualDisc::Parse); an image that cannot
// be read leaves the drive empty. The drive rereads the file whenever
// it changes and writes its own state there when the program moves the door, so a script
// can both read and steer it. Replace the file whole (write a new one and rename it) so
// that the drive never reads half a file. At start the drive writes the file afresh: what
// an earlier run left there is history, and the drive table's setting decides the disc.
// Only a regular file is read; anything else at that path (a pipe, a folder) is reported
// and left alone, since reading it could block the event loop.
//
// Like a real drive, it is not ready for a moment after a disc change or after its door
// closed on a disc (kSpinUpMs), so a program that watches readiness always sees a swap.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/audio/SoundOutput.h"
#include "platform/mci/CdDriver.h"
#include "platform/mci/DigitalCdDriver.h"
#include "platform/mci/VirtualDisc.h"
#include "platform/messages/EventLoop.h"

namespace platform::cd {

class SimulatedDrive : public CdDriver {
 public:
  // Without an output the drive plays through one made by audio::MakeSoundOutput.
  explicit SimulatedDrive(std::optional<VirtualDisc> disc, std::string controlFile = {},
                          std::unique_ptr<audio::SoundOutput> output = nullptr);

  // How long the drive stays not ready after a disc change or after its door closed on a
  // disc, in milliseconds of the event loop's clock. The player sees discs only through
  // readiness and looks every 200 ms; three of its polls leave room for one that comes late.
  static constexpr std::uint32_t kSpinUpMs = 600;
  // A control file is a few lines; a larger one is refused rather than read on the loop.
  static constexpr long long kMaxControlBytes = 64 * 1024;
  ~SimulatedDrive() override;

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
  // The CD-Text title of a disc image; other discs have none.
  std::optional<std::string> TrackTitle(int track) override;

  // Acts of the person at the drive.
  void InsertDisc(VirtualDisc disc);
  void RemoveDisc();
  void OpenDoor() { MoveDoor(true); }
  void CloseDoor() { MoveDoor(false); }

  const std::optional<VirtualDisc>& Disc() const { return disc_; }
  const std::string& ControlFile() const { return controlFile_; }

 private:
  void MoveDoor(bool open);
  // The disc just changed or the door closed on it: not ready until it has spun up.
  void StartSpinUp();
  bool SpinningUp() const;
  void ChangeDisc(std::optional<VirtualDisc> disc);
  // Hands the disc to the player while the door is closed on it; a play of a disc that
  // goes away is lost.
  void Mount();

  void SyncControlFile();
  // Reads the control file if it is a regular file of sane size; never blocks.
  std::optional<std::string> ReadControlFile();
  void ApplyControlText(const std::string& text);
  void WriteControlFile();

  std::optional<VirtualDisc> disc_;
  bool doorOpen_ = false;
  DigitalCdDriver player_;
  std::uint64_t readyAt_ = 0;
  EventLoop* spinLoop_ = nullptr;  // the clock readyAt_ belongs to

  std::string controlFile_;
  struct FileStamp {
    long long mtimeNs = -1;
    long long size = -1;
    unsigned long long inode = 0;
    unsigned mode = 0;
    bool operator==(const FileStamp&) const = default;
  };
  FileStamp seen_;
};

}  // namespace platform::cd
