// Where the command layer finds the driver behind a drive letter. The layer asks on every
// command instead of keeping the driver, so whoever owns the drivers (the drive table) may
// replace or destroy them without leaving the layer a dangling one; a driver that runs a
// worker thread of its own depends on that.
#pragma once

#include <optional>

#include "platform/mci/CdDriver.h"

namespace platform::cd {

class CdDriveSource {
 public:
  // The driver of the CD-ROM drive with this (upper-case) letter; nullptr when there is none.
  virtual CdDriver* CdDriverAt(char letter) const = 0;
  // The letter of the first CD-ROM drive, the device opened without a drive named.
  virtual std::optional<char> FirstCdDrive() const = 0;

 protected:
  ~CdDriveSource() = default;
};

}  // namespace platform::cd
