#include "platform/drives/DriveTable.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/drives/Drives.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/CueSheet.h"
#include "platform/mci/SimulatedDrive.h"
#ifndef _WIN32
#include "platform/mci/CdioAccess.h"
#include "platform/mci/RealCdDrive.h"
#endif

namespace platform {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

#ifdef _WIN32
// On Windows the machine's drives are the system's own: they keep their letters and their
// commands go to the system's CD audio device, so the table makes no drivers for them.
std::vector<std::unique_ptr<cd::CdDriver>> MachineCdDrives() { return {}; }

// The letters the system has, with their types, ahead of the table's own drives.
void AddSystemLetters(std::vector<DriveEntry>& entries) {
  char roots[4 * 26 + 1] = {};
  const DWORD n = (::GetLogicalDriveStringsA)(sizeof roots, roots);
  if (n == 0 || n >= sizeof roots) return;
  for (const char* r = roots; *r != '\0'; r += std::strlen(r) + 1)
    entries.push_back(
        {static_cast<char>(std::toupper(static_cast<unsigned char>(r[0]))), (::GetDriveTypeA)(r), nullptr});
}
#else
std::vector<std::unique_ptr<cd::CdDriver>> MachineCdDrives() {
  // Drives play digitally through the sound server; PLUME_CD_ANALOG=1 lets a drive wired to
  // a sound card play through its own output instead.
  const auto playback =
      Env("PLUME_CD_ANALOG") == "1" ? cd::RealCdDrive::Playback::Analog : cd::RealCdDrive::Playback::Digital;
  std::vector<std::unique_ptr<cd::CdDriver>> drives;
  for (auto& device : cd::ListRealCdDrives())
    drives.push_back(std::make_unique<cd::RealCdDrive>(cd::MakeLibcdioAccess(std::move(device)), playback));
  return drives;
}
#endif

}  // namespace

DriveTable& DriveTable::Instance() {
  static DriveTable table;
  return table;
}

DriveTable::DriveTable() {
  cd::CdCommandLayer::Instance().SetDriveSource(this);
  Configure(Env("PLUME_DRIVES"), Env("PLUME_SIM_DIR"));
}

// The command layer was made before the table, so it is still there when the table goes.
DriveTable::~DriveTable() { cd::CdCommandLayer::Instance().SetDriveSource(nullptr); }

const DriveEntry* DriveTable::Find(char letter) const {
  for (const auto& e : entries_)
    if (e.letter == letter) return &e;
  return nullptr;
}

cd::CdDriver* DriveTable::CdDriver(char letter) const {
  const auto* e = Find(letter);
  return e ? e->driver.get() : nullptr;
}

std::optional<char> DriveTable::FirstCdDrive() const {
  for (const auto& e : entries_)
    if (e.driver) return e.letter;
  return std::nullopt;
}

cd::SimulatedDrive* DriveTable::SimulatedDrive(char letter) const {
  return dynamic_cast<cd::SimulatedDrive*>(CdDriver(letter));
}

std::optional<char> DriveTable::NextLetter() const {
  // The first free letter from C: (on Windows the system's letters need not be in a row).
  for (char letter = 'C'; letter <= 'Z'; ++letter)
    if (Find(letter) == nullptr) return letter;
  std::cerr << "plume: no drive letter left for another CD-ROM drive\n";
  return std::nullopt;
}

void DriveTable::AddCdDrive(std::unique_ptr<cd::CdDriver> driver) {
  if (const auto letter = NextLetter()) entries_.push_back({*letter, DRIVE_CDROM, std::move(driver)});
}

DriveTable::RealDriveFinder DriveTable::SetRealDriveFinder(RealDriveFinder finder) {
  return std::exchange(findReal_, std::move(finder));
}

void DriveTable::AddReal() {
  for (auto& driver : findReal_ ? findReal_() : MachineCdDrives()) AddCdDrive(std::move(driver));
}

void DriveTable::AddSimulated(const std::string& disc, const std::string& simDir) {
  // A drive without a letter is refused before it is made (its disc image is not even
  // opened), so it leaves no control file.
  const auto letter = NextLetter();
  if (!letter) return;
  std::optional<cd::VirtualDisc> content;
  try {
    if (disc != "none") content = cd::VirtualDisc::Parse(disc);
  } catch (const cd::DiscImageError& e) {
    // A drive whose disc image cannot be read is there all the same, without a disc, as a
    // drive with a disc it cannot read.
    std::cerr << "plume: PLUME_DRIVES: " << e.what() << "; the drive stands empty\n";
  }
  std::string control;
  if (!simDir.empty()) control = simDir + "/" + std::string(1, *letter) + ".state";
  entries_.push_back({*letter, DRIVE_CDROM, std::make_unique<cd::SimulatedDrive>(std::move(content), control)});
}

void DriveTable::Configure(const std::string& setting, const std::string& simDir) {
  // No device may outlive the driver it plays on.
  cd::CdCommandLayer::Instance().Reset();
  entries_.clear();
#ifdef _WIN32
  AddSystemLetters(entries_);
#else
  entries_.push_back({'C', DRIVE_FIXED, nullptr});
#endif
  const std::string text = Trim(setting);
  if (text.empty()) {
    // Real drives come first; the simulated one lets the player run on any machine.
    AddReal();
    AddSimulated("demo", simDir);
    return;
  }
  if (text == "none") return;
  std::size_t start = 0;
  for (;;) {
    const auto semi = text.find(';', start);
    const std::string item = Trim(text.substr(start, semi == std::string::npos ? semi : semi - start));
    try {
      if (item == "sim") {
        AddSimulated("demo", simDir);
      } else if (item.rfind("sim:", 0) == 0) {
        AddSimulated(Trim(item.substr(4)), simDir);
      } else if (item.rfind("image:", 0) == 0) {
        AddSimulated(item, simDir);
      } else if (item == "real") {
        AddReal();
      } else if (!item.empty()) {
        throw std::invalid_argument("unknown drive '" + item +
                                    "' (expected none, real, sim, sim:<disc> or image:<sheet>)");
      }
    } catch (const std::invalid_argument& e) {
      std::cerr << "plume: PLUME_DRIVES: " << e.what() << "; drive left out\n";
    }
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
}

}  // namespace platform
