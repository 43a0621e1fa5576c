// The command layer finds a device's driver through its drive source on every command, so
// the owner of the drivers may replace them while devices are open. Run under the
// sanitizers, a layer that kept a driver it had been handed would fail here.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/CdDriveSource.h"
#include "platform/mci/Mmsystem.h"
#include "platform/mci/SimulatedDrive.h"
#include "platform/messages/Messages.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::cd::CdCommandLayer;
using platform::cd::CdDriver;
using platform::cd::SimulatedDrive;
using platform::cd::VirtualDisc;

// Drives whose drivers a test swaps at will.
class SwappableDrives : public platform::cd::CdDriveSource {
 public:
  CdDriver* CdDriverAt(char letter) const override {
    const auto it = drives.find(letter);
    return it == drives.end() ? nullptr : it->second.get();
  }
  std::optional<char> FirstCdDrive() const override {
    if (drives.empty()) return std::nullopt;
    return drives.begin()->first;
  }
  std::map<char, std::unique_ptr<SimulatedDrive>> drives;
};

class CdDriveSourceTest : public PlatformTest {
 protected:
  CdDriveSourceTest() {
    window = CreateMessageWindow([this](HWND, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
      if (msg == MM_MCINOTIFY) notes.emplace_back(w, l);
      return 0;
    });
  }
  ~CdDriveSourceTest() override {
    CdCommandLayer::Instance().Reset();
    CdCommandLayer::Instance().SetDriveSource(&platform::DriveTable::Instance());
    DestroyWindow(window);
  }

  void UseSwappable() {
    CdCommandLayer::Instance().Reset();
    CdCommandLayer::Instance().SetDriveSource(&swappable);
  }
  static std::unique_ptr<SimulatedDrive> DriveWith(const char* disc) {
    return std::make_unique<SimulatedDrive>(VirtualDisc::Parse(disc));
  }

  static MCIDEVICEID Open(LPCSTR element) {
    MCI_OPEN_PARMS p{};
    p.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    p.lpstrElementName = element;
    const DWORD flags = MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | (element ? MCI_OPEN_ELEMENT : 0);
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&p)), 0u);
    return p.wDeviceID;
  }
  static MCIERROR Tracks(MCIDEVICEID id, DWORD_PTR& out) {
    MCI_STATUS_PARMS p{};
    p.dwReturn = out;
    p.dwItem = MCI_STATUS_NUMBER_OF_TRACKS;
    const MCIERROR err = mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&p));
    out = p.dwReturn;
    return err;
  }
  MCIERROR PlayNotified(MCIDEVICEID id) {
    MCI_PLAY_PARMS p{};
    p.dwCallback = HandleValue(window);
    return mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&p));
  }
  std::vector<std::pair<WPARAM, LPARAM>> Delivered() {
    loop.RunPosted();
    return std::exchange(notes, {});
  }

  SwappableDrives swappable;
  HWND window = nullptr;
  std::vector<std::pair<WPARAM, LPARAM>> notes;
};

TEST_F(CdDriveSourceTest, AnOpenDeviceFollowsTheDriverNowInItsDrive) {
  UseSwappable();
  swappable.drives['D'] = DriveWith("0:05");
  const MCIDEVICEID id = Open("D:");
  DWORD_PTR tracks = 0;
  ASSERT_EQ(Tracks(id, tracks), 0u);
  EXPECT_EQ(tracks, 1u);

  // The old driver goes for good; the device now answers from the new one, and that one's
  // end of play reaches the device's notification.
  swappable.drives['D'] = DriveWith("0:02,0:03");
  ASSERT_EQ(Tracks(id, tracks), 0u);
  EXPECT_EQ(tracks, 2u);
  ASSERT_EQ(PlayNotified(id), 0u);
  loop.Advance(6000);
  const auto got = Delivered();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].first, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
  EXPECT_EQ(got[0].second, static_cast<LPARAM>(id));
}

TEST_F(CdDriveSourceTest, ADriveTakenAwayAnswersNotReadyAndStillCloses) {
  UseSwappable();
  swappable.drives['E'] = DriveWith("0:05");
  const MCIDEVICEID id = Open(nullptr);  // the first CD-ROM drive
  swappable.drives.clear();
  DWORD_PTR tracks = 7;
  EXPECT_EQ(Tracks(id, tracks), MCIERR_DEVICE_NOT_READY);
  EXPECT_EQ(tracks, 7u);
  EXPECT_EQ(mciSendCommandA(id, MCI_CLOSE, 0, 0), 0u);
  EXPECT_EQ(CdCommandLayer::Instance().OpenDevices(), 0u);
}

TEST_F(CdDriveSourceTest, WithoutASourceThereIsNoDriveToOpen) {
  UseSwappable();
  CdCommandLayer::Instance().SetDriveSource(nullptr);
  MCI_OPEN_PARMS p{};
  p.lpstrDeviceType = "cdaudio";
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, reinterpret_cast<DWORD_PTR>(&p)), MCIERR_CANNOT_LOAD_DRIVER);
  p.lpstrElementName = "D:";
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&p)),
            MCIERR_INVALID_FILE);
}

// The drive table resets the layer itself before it replaces its drivers: a device playing
// on a drive that goes is stopped and closed, with no fixture to remember the order.
TEST_F(CdDriveSourceTest, ReconfiguringTheDriveTableClosesTheDevicesOnItsOldDrives) {
  const MCIDEVICEID id = Open("D:");
  ASSERT_EQ(PlayNotified(id), 0u);
  loop.Advance(1000);
  platform::DriveTable::Instance().Configure("sim:0:05");
  EXPECT_EQ(CdCommandLayer::Instance().OpenDevices(), 0u);
  EXPECT_EQ(mciSendCommandA(id, MCI_STOP, 0, 0), MCIERR_INVALID_DEVICE_ID);
  loop.Advance(60 * 60 * 1000);
  EXPECT_TRUE(Delivered().empty());
  const MCIDEVICEID again = Open("D:");
  DWORD_PTR tracks = 0;
  ASSERT_EQ(Tracks(again, tracks), 0u);
  EXPECT_EQ(tracks, 1u);
}

}  // namespace
