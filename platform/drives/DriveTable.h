// The drive letters of the machine as the program sees them: C: is the fixed disk and the
// CD-ROM drives take the letters after it, real drives first, then simulated ones.
//
// The list comes from the environment setting PLUME_DRIVES, read when the table is first
// used. Unset, it holds the machine's real CD-ROM drives and one simulated drive with the
// demo disc. Otherwise it is a list separated by ';' of
//   none         no CD-ROM drive at all (alone)
//   real         the machine's real CD-ROM drives
//   sim          a simulated drive with the demo disc
//   sim:<disc>   a simulated drive with that disc: "none" (empty), "demo", or track
//                lengths such as "0:05,0:07.30,12" (see VirtualDisc::Parse)
//   image:<cue>  a simulated drive with the disc image of that CUE sheet (empty when the
//                image cannot be read)
// With PLUME_SIM_DIR set to a folder, each simulated drive follows the control file
// "<folder>/<letter>.state" (see SimulatedDrive). Real drives play digitally through the
// sound server unless PLUME_CD_ANALOG=1 asks for the drive's own analog output.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/mci/CdDriveSource.h"
#include "platform/mci/CdDriver.h"

namespace platform::cd {
class SimulatedDrive;
}

namespace platform {

struct DriveEntry {
  char letter;
  UINT type;                             // DRIVE_FIXED, DRIVE_CDROM
  std::unique_ptr<cd::CdDriver> driver;  // CD-ROM drives only
};

// The table is the CD command layer's drive source: it sets itself there when it is made,
// and resets the layer (which stops and closes its devices) before it replaces its drivers.
class DriveTable : public cd::CdDriveSource {
 public:
  static DriveTable& Instance();

  // Rebuilds the table from a setting in the format above; the empty text means unset.
  // Entries that cannot be understood are reported on stderr and left out.
  void Configure(const std::string& setting, const std::string& simDir = {});

  // Makes the drivers of the machine's real CD-ROM drives, in the order the system finds
  // them. Tests put a finder of their own in place of the machine's (an empty one brings
  // the machine's back); the previous finder is returned.
  using RealDriveFinder = std::function<std::vector<std::unique_ptr<cd::CdDriver>>()>;
  RealDriveFinder SetRealDriveFinder(RealDriveFinder finder);

  const std::vector<DriveEntry>& Entries() const { return entries_; }
  const DriveEntry* Find(char letter) const;
  cd::CdDriver* CdDriver(char letter) const;
  cd::SimulatedDrive* SimulatedDrive(char letter) const;

  cd::CdDriver* CdDriverAt(char letter) const override { return CdDriver(letter); }
  std::optional<char> FirstCdDrive() const override;

 private:
  DriveTable();
  ~DriveTable();
  // The letter the next CD-ROM drive would take; none (and a complaint) past Z:.
  std::optional<char> NextLetter() const;
  void AddCdDrive(std::unique_ptr<cd::CdDriver> driver);
  void AddSimulated(const std::string& disc, const std::string& simDir);
  void AddReal();

  std::vector<DriveEntry> entries_;
  RealDriveFinder findReal_;
};

}  // namespace platform
