// Disc images in the simulated drive: chosen in the drive list or put in through the
// control file, and what the drive does with an image it cannot read.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/ImageDisc.h"
#include "platform/mci/Mmsystem.h"
#include "platform/mci/SimulatedDrive.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/ToneImage.h"

namespace {

using platform::cd::ImageDisc;
using platform::cd::SimulatedDrive;
using platform::cd::VirtualDisc;

// Keeps what is written to the standard error while it lives.
class CapturedErrors {
 public:
  CapturedErrors() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~CapturedErrors() { std::cerr.rdbuf(old_); }
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* old_;
};

class ImageDriveTest : public PlatformTest {
 protected:
  ImageDriveTest() {
    tone_image::Layout layout;
    layout.secondsPerTrack = 1;
    good = tone_image::Write(dir.Path(), layout);
    // The same image with CD-Text.
    dir.Write("titled.cue",
              "TITLE \"Tones\"\nFILE tones.bin BINARY\nTRACK 01 AUDIO\nTITLE \"\xE4\xBD\x8E\"\n"
              "INDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:01:00\n");
    dir.Write("missing.cue", "REM a comment\nFILE \"gone.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
  }
  ~ImageDriveTest() override { platform::DriveTable::Instance().Configure(""); }

  SimulatedDrive* DriveD(const std::string& setting, const std::string& simDir = {}) {
    platform::cd::CdCommandLayer::Instance().Reset();
    platform::DriveTable::Instance().Configure(setting, simDir);
    return platform::DriveTable::Instance().SimulatedDrive('D');
  }
  // Replaces the control file whole and lets the drive read it and spin the disc up.
  void Steer(SimulatedDrive* d, const std::string& text) {
    dir.Write("steer.tmp", text);
    ASSERT_EQ(std::rename(dir.File("steer.tmp").c_str(), dir.File("D.state").c_str()), 0);
    d->DoorOpen();
    loop.Advance(SimulatedDrive::kSpinUpMs);
  }

  TempDir dir;
  std::string good;
};

TEST_F(ImageDriveTest, AnImageInTheDriveListIsADisc) {
  SimulatedDrive* d = DriveD("image:" + good);
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(d->Ready());
  EXPECT_EQ(d->ReadToc()->starts, ImageDisc::Open(good)->TableOfContents().starts);
  EXPECT_EQ(d->ReadToc()->leadOut, ImageDisc::Open(good)->TableOfContents().leadOut);
  EXPECT_EQ(d->Disc()->Describe(), "image:" + good);
  EXPECT_EQ(d->TrackTitle(1), std::nullopt);  // the plain sheet has no CD-Text

  // Beside other drives, in the order given.
  platform::DriveTable::Instance().Configure("sim:none;image:" + dir.File("titled.cue") + ";sim");
  SimulatedDrive* e = platform::DriveTable::Instance().SimulatedDrive('E');
  ASSERT_NE(e, nullptr);
  ASSERT_TRUE(e->Ready());
  EXPECT_EQ(e->ReadToc()->TrackCount(), 2);
  EXPECT_EQ(e->TrackTitle(0), "Tones");
  EXPECT_EQ(e->TrackTitle(1), "低");
  EXPECT_EQ(e->TrackTitle(2), std::nullopt);
  e->OpenDoor();
  EXPECT_EQ(e->TrackTitle(0), std::nullopt);
  EXPECT_TRUE(platform::DriveTable::Instance().SimulatedDrive('F')->Ready());
}

TEST_F(ImageDriveTest, AnUnreadableImageLeavesTheDriveEmptyAndSaysWhy) {
  CapturedErrors errors;
  SimulatedDrive* d = DriveD("image:" + dir.File("missing.cue"));
  ASSERT_NE(d, nullptr) << "the drive is there, without a disc";
  EXPECT_FALSE(d->Ready());
  EXPECT_FALSE(d->ReadToc());
  EXPECT_NE(errors.Text().find(dir.File("missing.cue") + ":2: cannot open 'gone.bin'"), std::string::npos)
      << errors.Text();

  // Through the command layer the drive is there and has no disc.
  MCI_OPEN_PARMS open{};
  open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  open.lpstrElementName = "D:";
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                            reinterpret_cast<DWORD_PTR>(&open)),
            0u);
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_MEDIA_PRESENT;
  ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  EXPECT_EQ(status.dwReturn, 0u);

  EXPECT_EQ(DriveD("image:")->Disc(), std::nullopt);
  EXPECT_EQ(DriveD("image:" + dir.File("nothing.cue"))->Disc(), std::nullopt);
}

TEST_F(ImageDriveTest, TheControlFilePutsImagesInAndTakesThemOut) {
  SimulatedDrive* d = DriveD("sim", dir.Path());
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->ReadToc()->TrackCount(), 12);

  Steer(d, "door=closed\ndisc=image:" + good + "\n");
  ASSERT_TRUE(d->Ready());
  EXPECT_EQ(d->ReadToc()->TrackCount(), 3);
  // The drive writes the image back when the program moves the door.
  ASSERT_EQ(d->SetDoor(true), platform::cd::Result::Ok);
  EXPECT_EQ(dir.Read("D.state"), "door=open\ndisc=image:" + good + "\n");

  Steer(d, "door=closed\ndisc=image:" + dir.File("titled.cue") + "\n");
  ASSERT_TRUE(d->Ready());
  EXPECT_EQ(d->TrackTitle(0), "Tones");

  {
    CapturedErrors errors;
    Steer(d, "door=closed\ndisc=image:" + dir.File("missing.cue") + "\n");
    EXPECT_FALSE(d->Ready()) << "a disc the drive cannot read is no disc";
    const std::string text = errors.Text();
    EXPECT_NE(text.find(dir.File("D.state") + ":2: unreadable disc image: " + dir.File("missing.cue") + ":2:"),
              std::string::npos)
        << text;
  }
  Steer(d, "door=closed\ndisc=demo\n");
  EXPECT_EQ(d->ReadToc()->TrackCount(), 12);
}

TEST_F(ImageDriveTest, ImageDescriptionsReadBack) {
  const VirtualDisc disc = VirtualDisc::Parse("  image:" + good + " ");
  EXPECT_EQ(disc.ImagePath(), good);
  ASSERT_NE(disc.Image(), nullptr);
  EXPECT_EQ(VirtualDisc::Parse(disc.Describe()), disc);
  // Lengths of a pressed disc: to the next track, the last to the lead-out.
  EXPECT_EQ(disc.TrackLengths(), (std::vector<platform::cd::Frame>{75, 75, 75}));
  EXPECT_FALSE(disc == VirtualDisc({75, 75, 75}));
  EXPECT_THROW(VirtualDisc::Parse("image:"), platform::cd::DiscImageError);
  EXPECT_THROW(VirtualDisc::Parse("image:" + dir.File("missing.cue")), platform::cd::DiscImageError);
}

}  // namespace
