// A CD drive that exists only in memory: a door, perhaps a disc, and a play head that moves
// with the event loop's clock. It makes no sound.
//
// Besides the driver operations, a test (or a person) can act on it as on a real drive:
// take the disc out, put another in, open and close the door. When it is given a control
// file, it also follows that file from outside the program: lines "door=open|closed" and
// "disc=none|demo|<lengths>" (see VirtualDisc::Parse). The drive rereads the file whenever
// it changes and writes its own state there when the program moves the door, so a script
// can both read and steer it. Replace the file whole (write a new one and rename it) so
// that the drive never reads half a file.
#pragma once

#include <optional>
#include <string>

#include "platform/mci/CdDriver.h"
#include "platform/mci/VirtualDisc.h"
#include "platform/messages/EventLoop.h"

namespace platform::cd {

class SimulatedDrive : public CdDriver {
 public:
  explicit SimulatedDrive(std::optional<VirtualDisc> disc, std::string controlFile = {});
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

  // Acts of the person at the drive.
  void InsertDisc(VirtualDisc disc);
  void RemoveDisc();
  void OpenDoor() { MoveDoor(true); }
  void CloseDoor() { MoveDoor(false); }

  const std::optional<VirtualDisc>& Disc() const { return disc_; }
  const std::string& ControlFile() const { return controlFile_; }

 private:
  void MoveDoor(bool open);
  void ChangeDisc(std::optional<VirtualDisc> disc);
  // Ends a play whose end time has come; the end timer does the same.
  void Settle();
  void CancelEndTimer();
  // Stops a running play because the disc is gone.
  void LosePlay();
  Frame FirstFrame() const;

  void SyncControlFile();
  void ApplyControlText(const std::string& text);
  void WriteControlFile();

  std::optional<VirtualDisc> disc_;
  bool doorOpen_ = false;
  AudioState state_ = AudioState::Stopped;
  Frame position_ = kLeadInFrames;  // where the head stands while not playing
  Frame playFrom_ = 0;
  Frame playTo_ = 0;
  std::uint64_t playStartedAt_ = 0;
  std::optional<EventLoop::TimerId> endTimer_;
  EventLoop* timerLoop_ = nullptr;

  std::string controlFile_;
  struct FileStamp {
    long long mtimeNs = -1;
    long long size = -1;
    unsigned long long inode = 0;
    bool operator==(const FileStamp&) const = default;
  };
  FileStamp seen_;
};

}  // namespace platform::cd
