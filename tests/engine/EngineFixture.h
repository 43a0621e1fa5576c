// Shared set-up for the engine's tests: an engine on a drive table of the test's choosing.
#pragma once

#include <string>

#include "engine/Cdp.h"
#include "tests/support/PlatformFixture.h"

class EngineTest : public PlatformTest {
 protected:
  // Builds the drive table, then the engine (which scans the drives when it is made).
  TCDP& MakeEngine(const std::string& drives = "sim") {
    UseDrives(drives);
    cd = new TCDP(owner.get());
    return *cd;
  }
  // An engine with its first drive open and its disc announced by the poll.
  TCDP& OpenWithDisc(const std::string& drives = "sim") {
    MakeEngine(drives);
    cd->Open(0);
    loop.Advance(1200);
    return *cd;
  }
  std::vector<std::string> PlayListItems() const { return cd->PlayList()->Items(); }

  TCDP* cd = nullptr;
};

inline DWORD Tmsf(int t, int m = 0, int s = 0, int f = 0) {
  return MCI_MAKE_TMSF(static_cast<BYTE>(t), static_cast<BYTE>(m), static_cast<BYTE>(s), static_cast<BYTE>(f));
}
