#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/Mmsystem.h"
#include "platform/mci/SimulatedDrive.h"
#include "platform/messages/Messages.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::cd::AudioState;
using platform::cd::Result;
using platform::cd::SimulatedDrive;
using platform::cd::VirtualDisc;

class SimulatedDriveTest : public PlatformTest {
 protected:
  SimulatedDriveTest() {
    char pattern[] = "/tmp/plume-drive-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir = pattern;
    window = CreateMessageWindow([this](HWND, UINT msg, WPARAM w, LPARAM) -> LRESULT {
      if (msg == MM_MCINOTIFY) codes.push_back(w);
      return 0;
    });
  }
  ~SimulatedDriveTest() override {
    DestroyWindow(window);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  std::string Path(const std::string& name = "D.state") const { return dir + "/" + name; }

  // Replaces the control file whole, as a script steering the drive would.
  void Steer(const std::string& text) const {
    const std::string temp = Path("steer.tmp");
    std::ofstream(temp, std::ios::binary) << text;
    ASSERT_EQ(std::rename(temp.c_str(), Path().c_str()), 0);
  }
  std::string ControlText() const {
    std::ifstream in(Path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Drive D with a control file in the test's folder, opened through the command layer.
  MCIDEVICEID OpenSteeredDrive(const std::string& disc) {
    platform::cd::CdCommandLayer::Instance().Reset();
    platform::DriveTable::Instance().Configure("sim:" + disc, dir);
    MCI_OPEN_PARMS p{};
    p.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    p.lpstrElementName = "D:";
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                              reinterpret_cast<DWORD_PTR>(&p)),
              0u);
    return p.wDeviceID;
  }
  MCIERROR PlayNotified(MCIDEVICEID id) {
    MCI_PLAY_PARMS p{};
    p.dwCallback = HandleValue(window);
    return mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&p));
  }
  static DWORD_PTR Mode(MCIDEVICEID id) {
    MCI_STATUS_PARMS p{};
    p.dwItem = MCI_STATUS_MODE;
    EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&p)), 0u);
    return p.dwReturn;
  }
  std::vector<WPARAM> Delivered() {
    loop.RunPosted();
    return std::exchange(codes, {});
  }

  std::string dir;
  HWND window = nullptr;
  std::vector<WPARAM> codes;
};

const VirtualDisc kShort = VirtualDisc::Parse("0:05,0:07");

// A named pipe put where the control file belongs, with a writer that feeds a text to every
// reader that opens it. A drive that reads the pipe gets the text, which shows in the drive,
// and the writer counts it; a drive that leaves the pipe alone is not held up. Release()
// lets the writer go either way, so nothing hangs whatever the drive does.
class PipeInPlace {
 public:
  PipeInPlace(const std::string& dir, const std::string& target, std::string text) : pipe_(dir + "/pipe") {
    if (::mkfifo(pipe_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
    // A second name for the pipe, moved over the target the way a script replaces a file,
    // while the first name stays for Release().
    const std::string temp = dir + "/pipe.link";
    if (::link(pipe_.c_str(), temp.c_str()) != 0 || std::rename(temp.c_str(), target.c_str()) != 0)
      throw std::runtime_error("cannot put the pipe in place");
    writer_ = std::thread([this, text = std::move(text)] {
      for (;;) {
        const int fd = ::open(pipe_.c_str(), O_WRONLY);  // waits for a reader
        if (fd < 0 || stop_) {
          if (fd >= 0) ::close(fd);
          return;
        }
        if (::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size())) ++served_;
        ::close(fd);
      }
    });
  }
  ~PipeInPlace() { Release(); }
  void Release() {
    if (!writer_.joinable()) return;
    stop_ = true;
    const int reader = ::open(pipe_.c_str(), O_RDONLY | O_NONBLOCK);
    writer_.join();
    if (reader >= 0) ::close(reader);
  }
  // How many times a reader took the text.
  int Served() const { return served_; }

 private:
  std::string pipe_;
  std::atomic<bool> stop_{false};
  std::atomic<int> served_{0};
  std::thread writer_;
};

TEST_F(SimulatedDriveTest, DoorAndDiscDecideReadiness) {
  SimulatedDrive drive(kShort);
  ASSERT_TRUE(drive.Ready());
  drive.RemoveDisc();
  EXPECT_FALSE(drive.Ready());
  EXPECT_FALSE(drive.DoorOpen());
  EXPECT_FALSE(drive.ReadToc());
  EXPECT_EQ(drive.Play(150, 300), Result::NotReady);

  drive.InsertDisc(VirtualDisc::Demo());
  loop.Advance(SimulatedDrive::kSpinUpMs);
  ASSERT_TRUE(drive.ReadToc());
  EXPECT_EQ(drive.ReadToc()->TrackCount(), 12);

  ASSERT_EQ(drive.Seek(1000), Result::Ok);
  drive.OpenDoor();
  EXPECT_TRUE(drive.DoorOpen());
  EXPECT_FALSE(drive.ReadToc());
  EXPECT_EQ(drive.Seek(150), Result::NotReady);
  // A drive that closes on a disc reads it afresh and stands at its start.
  drive.CloseDoor();
  loop.Advance(SimulatedDrive::kSpinUpMs);
  EXPECT_TRUE(drive.Ready());
  EXPECT_EQ(drive.Position(), platform::cd::kLeadInFrames);
}

// A play that the drive refuses must leave the running play, and its end, as they were.
TEST_F(SimulatedDriveTest, RefusedPlayKeepsTheRunningOne) {
  SimulatedDrive drive(kShort);
  int ended = 0;
  drive.SetPlayEndedHandler([&] { ++ended; });
  ASSERT_EQ(drive.Play(150, 300), Result::Ok);
  loop.Advance(500);
  EXPECT_EQ(drive.Play(300, 200), Result::Failed);
  EXPECT_EQ(drive.Play(150, 5000), Result::Failed);
  EXPECT_EQ(drive.State(), AudioState::Playing);
  loop.Advance(1500);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(drive.State(), AudioState::Stopped);
  EXPECT_EQ(drive.Position(), 300u);
  EXPECT_EQ(loop.ActiveTimers(), 0u);
}

TEST_F(SimulatedDriveTest, LosingTheDiscDuringANotifiedPlayFailsIt) {
  struct Case {
    const char* what;
    void (*act)(SimulatedDrive&);
    DWORD_PTR mode;
  };
  const Case cases[] = {
      {"disc removed", [](SimulatedDrive& d) { d.RemoveDisc(); }, MCI_MODE_NOT_READY},
      {"door opened by hand", [](SimulatedDrive& d) { d.OpenDoor(); }, MCI_MODE_OPEN},
      {"other disc inserted", [](SimulatedDrive& d) { d.InsertDisc(VirtualDisc::Demo()); }, MCI_MODE_NOT_READY},
  };
  for (const auto& c : cases) {
    UseDrives("sim:0:05,0:07");
    MCI_OPEN_PARMS open{};
    open.lpstrDeviceType = "cdaudio";
    open.lpstrElementName = "D:";
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)), 0u);
    ASSERT_EQ(PlayNotified(open.wDeviceID), 0u);
    loop.Advance(1000);
    c.act(Drive('D'));
    EXPECT_EQ(Delivered(), std::vector<WPARAM>{MCI_NOTIFY_FAILURE}) << c.what;
    EXPECT_EQ(Mode(open.wDeviceID), c.mode) << c.what;
    loop.Advance(20000);
    EXPECT_TRUE(Delivered().empty()) << c.what;
    EXPECT_NE(Mode(open.wDeviceID), MCI_MODE_PLAY) << c.what;
  }
}

TEST_F(SimulatedDriveTest, ControlFileGetsTheInitialState) {
  {
    SimulatedDrive drive(kShort, Path());
    EXPECT_EQ(ControlText(), "door=closed\ndisc=0:05.00,0:07.00\n");
  }
  std::filesystem::remove(Path());
  SimulatedDrive empty(std::nullopt, Path());
  EXPECT_EQ(ControlText(), "door=closed\ndisc=none\n");
}

// What an earlier run left in the control file is not this run's drive: the drive table's
// setting decides, and the file is written afresh for scripts to read.
TEST_F(SimulatedDriveTest, ALeftoverControlFileIsReplacedAtStart) {
  Steer("# left by an earlier run\ndoor=open\r\ndisc=0:09\n");
  {
    SimulatedDrive drive(VirtualDisc::Demo(), Path());
    EXPECT_FALSE(drive.DoorOpen());
    ASSERT_TRUE(drive.Disc());
    EXPECT_EQ(*drive.Disc(), VirtualDisc::Demo());
    EXPECT_EQ(ControlText(), "door=closed\ndisc=" + VirtualDisc::Demo().Describe() + "\n");
  }
  // The same through the drive table, as the program starts.
  Steer("door=open\ndisc=0:09\n");
  platform::DriveTable::Instance().Configure("sim", dir);
  ASSERT_TRUE(Drive('D').Disc());
  EXPECT_EQ(*Drive('D').Disc(), VirtualDisc::Demo());
  EXPECT_TRUE(Drive('D').Ready());
  EXPECT_EQ(ControlText(), "door=closed\ndisc=" + VirtualDisc::Demo().Describe() + "\n");

  // A pipe left at that place is replaced by a regular file too, without being read.
  PipeInPlace pipe(dir, Path(), "door=open\ndisc=0:09\n");
  SimulatedDrive drive(kShort, Path());
  EXPECT_FALSE(drive.DoorOpen());
  pipe.Release();
  EXPECT_EQ(pipe.Served(), 0);
  EXPECT_EQ(*drive.Disc(), kShort);
  struct stat st {};
  ASSERT_EQ(::stat(Path().c_str(), &st), 0);
  ASSERT_TRUE(S_ISREG(st.st_mode)) << "reading the pipe here would hang the test";
  EXPECT_EQ(ControlText(), "door=closed\ndisc=0:05.00,0:07.00\n");
}

// A pipe (or anything else that is not a regular file) at the control file's place must
// not hold up the event loop: it is reported, the drive stays as it was, and a regular
// file put there afterwards steers the drive again.
TEST_F(SimulatedDriveTest, AControlFileThatIsNoRegularFileIsNotRead) {
  SimulatedDrive drive(kShort, Path());
  testing::internal::CaptureStderr();
  {
    PipeInPlace pipe(dir, Path(), "disc=0:09\n");
    EXPECT_TRUE(drive.Ready());
    EXPECT_FALSE(drive.DoorOpen());
    EXPECT_EQ(drive.State(), AudioState::Stopped);
    EXPECT_EQ(drive.Position(), platform::cd::kLeadInFrames);
    pipe.Release();
    EXPECT_EQ(pipe.Served(), 0) << "the drive opened the pipe";
  }
  std::filesystem::remove(dir + "/pipe");
  std::filesystem::remove(Path());
  std::filesystem::create_directory(Path());
  EXPECT_TRUE(drive.Ready());
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(*drive.Disc(), kShort);
  EXPECT_NE(said.find("not a regular file"), std::string::npos) << said;

  std::filesystem::remove(Path());
  Steer("disc=0:30\n");
  EXPECT_FALSE(drive.Ready());
  loop.Advance(SimulatedDrive::kSpinUpMs);
  EXPECT_TRUE(drive.Ready());
  ASSERT_TRUE(drive.Disc());
  EXPECT_EQ(*drive.Disc(), VirtualDisc::Parse("0:30"));
}

TEST_F(SimulatedDriveTest, AnOversizedControlFileIsRefused) {
  SimulatedDrive drive(kShort, Path());
  testing::internal::CaptureStderr();
  Steer("disc=0:30\n" + std::string(SimulatedDrive::kMaxControlBytes, '#'));
  EXPECT_TRUE(drive.Ready());
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(*drive.Disc(), kShort);
  EXPECT_NE(said.find("too large"), std::string::npos) << said;
}

// A real drive needs a moment after any disc change before it is ready again, and a
// program that sees discs only through readiness relies on that to notice a swap.
TEST_F(SimulatedDriveTest, NotReadyForAWhileAfterEveryDiscChange) {
  const struct {
    const char* what;
    std::function<void(SimulatedDrive&)> act;
  } cases[] = {
      {"disc swapped through the file", [this](SimulatedDrive&) { Steer("disc=0:30\n"); }},
      {"door opened and closed through the file",
       [this](SimulatedDrive& d) {
         Steer("door=open\n");
         EXPECT_FALSE(d.Ready());
         Steer("door=closed\n\n");
       }},
      {"disc swapped by hand", [](SimulatedDrive& d) { d.InsertDisc(VirtualDisc::Demo()); }},
      {"taken out and put back",
       [](SimulatedDrive& d) {
         d.RemoveDisc();
         d.InsertDisc(kShort);
       }},
      {"door opened and closed by hand",
       [](SimulatedDrive& d) {
         d.OpenDoor();
         d.CloseDoor();
       }},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(Path());
    SimulatedDrive drive(kShort, Path());
    ASSERT_TRUE(drive.Ready()) << c.what << ": a disc there from the start is ready at once";
    loop.Advance(1000);
    c.act(drive);
    EXPECT_FALSE(drive.Ready()) << c.what;
    EXPECT_FALSE(drive.ReadToc()) << c.what;
    EXPECT_EQ(drive.Play(150, 300), Result::NotReady) << c.what;
    loop.Advance(SimulatedDrive::kSpinUpMs - 1);
    EXPECT_FALSE(drive.Ready()) << c.what;
    loop.Advance(1);
    EXPECT_TRUE(drive.Ready()) << c.what;
    EXPECT_EQ(drive.Position(), platform::cd::kLeadInFrames) << c.what;
  }
  // The same disc put in again is no change.
  SimulatedDrive drive(kShort);
  drive.InsertDisc(kShort);
  EXPECT_TRUE(drive.Ready());
}

TEST_F(SimulatedDriveTest, ControlFileChangesArePickedUpOnTheNextQuery) {
  SimulatedDrive drive(kShort, Path());
  // Each step differs in size from the one before, so the change shows whatever the
  // resolution of the file system's clock.
  Steer("door=open\n");
  EXPECT_TRUE(drive.DoorOpen());
  EXPECT_FALSE(drive.Ready());
  Steer("door=closed\n");
  EXPECT_FALSE(drive.DoorOpen());
  loop.Advance(SimulatedDrive::kSpinUpMs);
  EXPECT_TRUE(drive.Ready());
  Steer("disc=0:05,0:06\n");
  EXPECT_FALSE(drive.Ready()) << "a new disc spins up first";
  loop.Advance(SimulatedDrive::kSpinUpMs);
  ASSERT_TRUE(drive.ReadToc());
  EXPECT_EQ(drive.Disc()->TrackLengths(), (std::vector<platform::cd::Frame>{375, 450}));
  Steer("disc=none\n");
  EXPECT_FALSE(drive.Ready());
  Steer("\ndisc=demo\n");
  EXPECT_FALSE(drive.Ready());
  loop.Advance(SimulatedDrive::kSpinUpMs);
  ASSERT_TRUE(drive.ReadToc());
  EXPECT_EQ(drive.ReadToc()->TrackCount(), 12);
  // A file that goes away leaves the drive as it is.
  std::filesystem::remove(Path());
  EXPECT_TRUE(drive.Ready());
}

TEST_F(SimulatedDriveTest, BadDiscLineLeavesTheDriveAsItWas) {
  SimulatedDrive drive(kShort, Path());
  testing::internal::CaptureStderr();
  Steer("door=open\ndisc=0:05,x\nvolume=11\n");
  EXPECT_TRUE(drive.DoorOpen());
  const std::string errors = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(drive.Disc());
  EXPECT_EQ(*drive.Disc(), kShort);
  EXPECT_NE(errors.find("track 2"), std::string::npos) << errors;
  EXPECT_NE(errors.find(":3:"), std::string::npos) << "the unknown line is named: " << errors;
}

TEST_F(SimulatedDriveTest, DoorCommandsRewriteTheControlFile) {
  const MCIDEVICEID id = OpenSteeredDrive("0:05,0:07");
  EXPECT_EQ(ControlText(), "door=closed\ndisc=0:05.00,0:07.00\n");
  MCI_SET_PARMS set{};
  ASSERT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_DOOR_OPEN, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  EXPECT_EQ(ControlText(), "door=open\ndisc=0:05.00,0:07.00\n");
  // The drive's own write is no news to it, so it does not undo a hand on the tray.
  Drive('D').CloseDoor();
  loop.Advance(SimulatedDrive::kSpinUpMs);
  EXPECT_EQ(Mode(id), MCI_MODE_STOP);

  ASSERT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_DOOR_OPEN, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  EXPECT_EQ(Mode(id), MCI_MODE_OPEN);
  // A script that swaps the disc while the tray is out is seen once the tray closes.
  Steer("door=open\ndisc=0:30\n");
  ASSERT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_DOOR_CLOSED, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  EXPECT_EQ(ControlText(), "door=closed\ndisc=0:30.00\n");
  loop.Advance(SimulatedDrive::kSpinUpMs);
  EXPECT_EQ(Mode(id), MCI_MODE_STOP);
}

// The player may close the device right after a script took the disc away, before any
// query has noticed; the lost play must be reported once and the close must succeed.
TEST_F(SimulatedDriveTest, CloseRightAfterTheDiscWentAwayThroughTheFile) {
  const MCIDEVICEID id = OpenSteeredDrive("0:05,0:07");
  ASSERT_EQ(PlayNotified(id), 0u);
  loop.Advance(1000);
  Steer("disc=none\n");
  MCI_GENERIC_PARMS close{};
  EXPECT_EQ(mciSendCommandA(id, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close)), 0u);
  EXPECT_EQ(Delivered(), std::vector<WPARAM>{MCI_NOTIFY_FAILURE});
  EXPECT_EQ(platform::cd::CdCommandLayer::Instance().OpenDevices(), 0u);
  loop.Advance(20000);
  EXPECT_TRUE(Delivered().empty());
}

}  // namespace
