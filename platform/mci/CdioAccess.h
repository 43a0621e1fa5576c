// The few libcdio calls the real drive needs, behind an interface so that the driver's logic
// can be tested without a drive. The real implementation is a thin layer over libcdio; it
// keeps libcdio's own meaning of each call and only turns its types and return codes into
// ours, so that no libcdio header reaches the rest of the program.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/mci/CdFrames.h"

namespace platform::cd {

// An absolute disc address as libcdio passes it: minutes, seconds and frames, each in
// binary-coded decimal (0x12 is twelve).
struct BcdMsf {
  std::uint8_t m = 0;
  std::uint8_t s = 0;
  std::uint8_t f = 0;
  bool operator==(const BcdMsf&) const = default;
};

// Addresses past 99:59:74 do not exist on a CD, so they are held at that last one.
BcdMsf ToBcdMsf(Frame absolute);
// Nothing when a digit is not decimal or a field is out of its range.
std::optional<Frame> FromBcdMsf(BcdMsf msf);

// The audio status of the subchannel report.
enum class SubchannelStatus { Invalid, Playing, Paused, Completed, Error, NoStatus };

struct Subchannel {
  SubchannelStatus status = SubchannelStatus::NoStatus;
  BcdMsf absolute;
};

enum class MediaCheck {
  Unchanged,  // the disc is the one seen before (or the drive cannot tell)
  Changed,    // a disc went out or came in since the last check
  Failed,     // the drive did not answer
};

// What the drive says of its tray and disc, where it can say it (the drive status request).
enum class DriveStatus { Unknown, NoDisc, TrayOpen, NotReady, DiscOk };

class CdioAccess {
 public:
  // libcdio's number for the lead-out in the track calls.
  static constexpr int kLeadOutTrack = 0xAA;

  virtual ~CdioAccess() = default;

  // Opens the device unless it is open already; false when it cannot be opened.
  virtual bool Open() = 0;
  // Lets the device go; the next Open reads the disc's table of contents afresh.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Whether the disc changed since the last check. Needs the device open.
  virtual MediaCheck MediaChanged() = 0;

  // The table of contents; the device must be open, and nothing answers a failed read.
  virtual std::optional<int> FirstTrack() = 0;
  virtual std::optional<int> TrackCount() = 0;
  // A track's start (or kLeadOutTrack's) as a logical sector number: 0 is the first sector
  // after the two-second lead-in.
  virtual std::optional<std::int32_t> TrackLsn(int track) = 0;
  virtual bool IsDataTrack(int track) = 0;
  // Where the last session starts; 0 on a disc of one session.
  virtual std::optional<std::int32_t> LastSessionLsn() = 0;

  // Plays from start to end, both included.
  virtual bool PlayMsf(BcdMsf start, BcdMsf end) = 0;
  virtual bool Pause() = 0;
  virtual bool Resume() = 0;
  virtual bool Stop() = 0;
  virtual std::optional<Subchannel> ReadSubchannel() = 0;

  // Ejecting leaves the device closed, since the disc behind it is about to change; so may
  // a failed attempt.
  virtual bool Eject() = 0;
  virtual bool CloseTray() = 0;

  // Asks the drive itself, without opening the disc; drives that cannot tell say Unknown.
  virtual DriveStatus TrayAndDisc() { return DriveStatus::Unknown; }

  // Reads `count` audio sectors (kSectorBytes each) from sector number lsn on, with
  // paranoia's error correction; returns how many were read. A sector paranoia cannot
  // mend is given as it came and said on the standard error. The playback worker calls it
  // while the program's thread may call the rest, so an implementation guards its device.
  // A drive that cannot deliver audio sectors reads none.
  virtual int ReadAudio(std::int32_t /*lsn*/, int /*count*/, std::uint8_t* /*out*/) { return 0; }
};

// libcdio's access to a device such as "/dev/sr0"; nothing is opened until it is needed.
std::unique_ptr<CdioAccess> MakeLibcdioAccess(std::string device);

// The machine's CD-ROM drives in the order libcdio finds them, each one once.
std::vector<std::string> ListRealCdDrives();

}  // namespace platform::cd
