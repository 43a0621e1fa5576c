// The simulated drive's control file: whatever a script leaves in it, the drive stays
// consistent (a disc it reports reads back from its own description, a table of contents
// is that of the disc) and still obeys the program's door commands.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "platform/mci/SimulatedDrive.h"
#include "platform/messages/EventLoop.h"
#include "platform/messages/ManualEventLoop.h"
#include "tests/fuzz/FuzzTempDir.h"

using platform::cd::SimulatedDrive;
using platform::cd::VirtualDisc;

namespace {

platform::ManualEventLoop loop;

void CheckConsistent(SimulatedDrive& drive) {
  if (const auto& disc = drive.Disc()) {
    if (!(VirtualDisc::Parse(disc->Describe()) == *disc)) std::abort();
  }
  if (const auto toc = drive.ReadToc()) {
    if (!drive.Disc() || toc->starts != drive.Disc()->TableOfContents().starts ||
        toc->leadOut != drive.Disc()->TableOfContents().leadOut)
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::SetEventLoop(&loop);
  // Every bad line is reported on the error stream; a run would print little else.
  std::cerr.rdbuf(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzTempDir() + "/D.state";
  std::remove(path.c_str());
  SimulatedDrive drive(VirtualDisc::Demo(), path);
  ReplaceFileWith(path, std::string(reinterpret_cast<const char*>(data), size));
  const bool open = drive.DoorOpen();
  CheckConsistent(drive);
  loop.Advance(1000);
  CheckConsistent(drive);
  drive.SetDoor(!open);
  if (drive.DoorOpen() != !open) std::abort();
  loop.Advance(1000);
  CheckConsistent(drive);
  return 0;
}
