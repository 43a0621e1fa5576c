// The part of the media control interface that every CD device shares: device ids, the
// time format, TMSF/MSF packing, the one pending notification per device, and the error
// codes. It turns each command into frame operations on the drive's driver.
#pragma once

#include <map>
#include <optional>
#include <string>

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

  // Closes every device without notifications, for a fresh start (tests, a new drive table).
  void Reset();
  std::size_t OpenDevices() const { return devices_.size(); }

 private:
  struct Pending {
    HWND callback;
    bool play;  // a play ends later; other commands complete at once
  };
  struct Device {
    CdDriver* driver = nullptr;
    DWORD timeFormat = MCI_FORMAT_MSF;
    std::optional<Pending> pending;
  };

  MCIERROR Open(DWORD flags, MCI_OPEN_PARMS* p);
  MCIERROR Close(MCIDEVICEID id, Device& d);
  MCIERROR Play(MCIDEVICEID id, Device& d, DWORD flags, MCI_PLAY_PARMS* p);
  MCIERROR Seek(MCIDEVICEID id, Device& d, DWORD flags, MCI_SEEK_PARMS* p);
  MCIERROR Set(MCIDEVICEID id, Device& d, DWORD flags, MCI_SET_PARMS* p);
  MCIERROR Status(Device& d, DWORD flags, MCI_STATUS_PARMS* p);

  // Notifications.
  void Post(MCIDEVICEID id, Device& d, WPARAM code);
  void AbortPlay(MCIDEVICEID id, Device& d);
  void Register(MCIDEVICEID id, Device& d, DWORD_PTR callback, bool play);
  void OnPlayEnded(CdDriver* driver, WPARAM code);

  // Time format conversion; false when the value names no place on the disc.
  bool Decode(const Device& d, const Toc& toc, DWORD value, Frame& out) const;
  DWORD EncodePosition(const Device& d, const Toc& toc, Frame f) const;
  DWORD EncodeLength(const Device& d, Frame length) const;
  static Frame TrackLength(const Toc& toc, int track);

  std::map<MCIDEVICEID, Device> devices_;
  // The device whose play the drive is running, for the end-of-play notification.
  std::map<CdDriver*, MCIDEVICEID> playOwner_;
};

}  // namespace platform::cd
