// The part of the media control interface that every CD device shares: device ids, the
// time format, TMSF/MSF packing, the one pending notification per device, and the error
// codes. It turns each command into frame operations on the drive's driver, which it finds
// through its drive source by the device's drive letter on every command.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/mci/CdDriveSource.h"
#include "platform/mci/CdDriver.h"
#include "platform/mci/Mmsystem.h"

namespace platform::cd {

class CdCommandLayer : public MciHandler {
 public:
  static CdCommandLayer& Instance();

  MCIERROR SendCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR param) override;

  // The CD-Text title of a track (0: the disc) of an open device's disc, where its drive
  // has one. The command interface has no request for it, so the player asks here.
  std::optional<std::string> TrackTitle(MCIDEVICEID device, int track) const;

  // Where the drivers are found; the drive table sets itself here. Without a source there
  // are no drives.
  void SetDriveSource(const CdDriveSource* source) { source_ = source; }

  // Stops the devices' drives and closes every device without notifications, for a fresh
  // start (tests, a new drive table: the table calls it before it replaces its drivers).
  void Reset();
  std::size_t OpenDevices() const { return devices_.size(); }

 private:
  struct Pending {
    HWND callback;
    bool play;  // a play ends later; other commands complete at once
  };
  struct Device {
    char letter = 0;  // the drive; its driver is looked up for each command
    DWORD timeFormat = MCI_FORMAT_MSF;
    std::optional<Pending> pending;
  };

  // The driver of a drive, with the layer's end-of-play handlers bound to it; nullptr when
  // the drive is gone.
  CdDriver* DriverOf(char letter);

  MCIERROR Open(DWORD flags, MCI_OPEN_PARMS* p);
  MCIERROR Close(MCIDEVICEID id, Device& d);
  MCIERROR Play(MCIDEVICEID id, Device& d, CdDriver& drv, DWORD flags, MCI_PLAY_PARMS* p);
  MCIERROR Seek(MCIDEVICEID id, Device& d, CdDriver& drv, DWORD flags, MCI_SEEK_PARMS* p);
  MCIERROR Set(MCIDEVICEID id, Device& d, CdDriver& drv, DWORD flags, MCI_SET_PARMS* p);
  MCIERROR Status(Device& d, CdDriver& drv, DWORD flags, MCI_STATUS_PARMS* p);
  // The status items that read the disc's table of contents.
  MCIERROR StatusOfDisc(const Device& d, CdDriver& drv, DWORD flags, MCI_STATUS_PARMS* p) const;

  // Notifications.
  void Post(MCIDEVICEID id, Device& d, WPARAM code);
  void AbortPlay(MCIDEVICEID id, Device& d);
  void Register(MCIDEVICEID id, Device& d, DWORD_PTR callback, bool play);
  void OnPlayEnded(char letter, WPARAM code);

  // Time format conversion; false when the value names no place on the disc.
  bool Decode(const Device& d, const Toc& toc, DWORD value, Frame& out) const;
  DWORD EncodePosition(const Device& d, const Toc& toc, Frame f) const;
  DWORD EncodeLength(const Device& d, Frame length) const;
  static Frame TrackLength(const Toc& toc, int track);

  const CdDriveSource* source_ = nullptr;
  std::map<MCIDEVICEID, Device> devices_;
  // By drive letter, the device whose play the drive is running, for the end-of-play
  // notification.
  std::map<char, MCIDEVICEID> playOwner_;
};

}  // namespace platform::cd
