#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/drives/Drives.h"
#include "platform/mci/SimulatedDrive.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/TempDir.h"

namespace {

using platform::DriveTable;

class DrivesTest : public PlatformTest {
 protected:
  static void Use(const std::string& setting) { DriveTable::Instance().Configure(setting); }

  // The roots as GetLogicalDriveStringsA lists them.
  static std::vector<std::string> Roots() {
    std::string buffer(128, '#');
    const DWORD n = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<std::string> roots;
    for (std::size_t at = 0; at < n; at += roots.back().size() + 1) roots.emplace_back(buffer.c_str() + at);
    return roots;
  }
};

TEST_F(DrivesTest, LogicalDriveStringsListEachRootAndEndWithAnEmptyOne) {
  Use("sim;sim:0:05,0:07");
  std::string buffer(20, '#');
  EXPECT_EQ(GetLogicalDriveStringsA(20, buffer.data()), 12u);
  EXPECT_EQ(buffer, std::string("C:\\\0D:\\\0E:\\\0\0#######", 20));

  Use("none");
  buffer.assign(8, '#');
  EXPECT_EQ(GetLogicalDriveStringsA(8, buffer.data()), 4u);
  EXPECT_EQ(buffer, std::string("C:\\\0\0###", 8));
}

TEST_F(DrivesTest, TooSmallBufferGetsNothingAndTheSizeNeeded) {
  Use("sim;sim:0:05,0:07");
  for (DWORD size : {0u, 1u, 4u, 12u}) {
    std::string buffer(16, '#');
    EXPECT_EQ(GetLogicalDriveStringsA(size, buffer.data()), 13u) << size;
    EXPECT_EQ(buffer, std::string(16, '#')) << size;
  }
  EXPECT_EQ(GetLogicalDriveStringsA(0, nullptr), 13u);
  // Exactly the size asked for is enough.
  std::string buffer(13, '#');
  EXPECT_EQ(GetLogicalDriveStringsA(13, buffer.data()), 12u);
  EXPECT_EQ(buffer.back(), '\0');
}

TEST_F(DrivesTest, DriveTypeOfEachRoot) {
  Use("sim;sim:none");
  const struct {
    const char* root;
    UINT type;
  } cases[] = {
      {"C:\\", DRIVE_FIXED},     {"C:", DRIVE_FIXED},         {"c:\\", DRIVE_FIXED}, {"D:\\", DRIVE_CDROM},
      {"d:", DRIVE_CDROM},       {"D:/", DRIVE_CDROM},        {"E:\\", DRIVE_CDROM}, {"F:\\", DRIVE_NO_ROOT_DIR},
      {"Z:", DRIVE_NO_ROOT_DIR}, {"A:\\", DRIVE_NO_ROOT_DIR},
  };
  for (const auto& c : cases) EXPECT_EQ(GetDriveTypeA(c.root), c.type) << c.root;
}

TEST_F(DrivesTest, SettingDecidesTheDrives) {
  // The machine's own drives would come first; the table is checked as on a machine without.
  auto& table = platform::DriveTable::Instance();
  const auto previous = table.SetRealDriveFinder([] { return std::vector<std::unique_ptr<platform::cd::CdDriver>>{}; });
  struct Restore {
    platform::DriveTable& t;
    platform::DriveTable::RealDriveFinder f;
    ~Restore() { t.SetRealDriveFinder(f); }
  } restore{table, previous};
  const struct {
    const char* setting;
    std::vector<std::string> roots;
    std::vector<std::string> discs;  // per CD drive: Describe(), "none" or "demo"
  } cases[] = {
      {"", {"C:\\", "D:\\"}, {"demo"}},
      {"   ", {"C:\\", "D:\\"}, {"demo"}},
      {"none", {"C:\\"}, {}},
      {"sim;sim:0:05,0:07", {"C:\\", "D:\\", "E:\\"}, {"demo", "0:05.00,0:07.00"}},
      {" sim:none ; sim ", {"C:\\", "D:\\", "E:\\"}, {"none", "demo"}},
      {"real", {"C:\\"}, {}},
      {"real;sim:12", {"C:\\", "D:\\"}, {"0:12.00"}},
      {"sim;;sim:demo;", {"C:\\", "D:\\", "E:\\"}, {"demo", "demo"}},
  };
  for (const auto& c : cases) {
    Use(c.setting);
    EXPECT_EQ(Roots(), c.roots) << "'" << c.setting << "'";
    const auto& entries = DriveTable::Instance().Entries();
    ASSERT_EQ(entries.size(), c.discs.size() + 1) << c.setting;
    EXPECT_EQ(entries[0].type, DRIVE_FIXED);
    EXPECT_EQ(entries[0].driver, nullptr);
    for (std::size_t i = 0; i < c.discs.size(); ++i) {
      const char letter = static_cast<char>('D' + i);
      const auto* drive = DriveTable::Instance().SimulatedDrive(letter);
      ASSERT_NE(drive, nullptr) << c.setting << " " << letter;
      std::string disc = "none";
      if (drive->Disc())
        disc = *drive->Disc() == platform::cd::VirtualDisc::Demo() ? "demo" : drive->Disc()->Describe();
      EXPECT_EQ(disc, c.discs[i]) << "'" << c.setting << "' drive " << letter;
    }
  }
}

TEST_F(DrivesTest, BadEntriesAreLeftOutAndTheRestKept) {
  const struct {
    const char* setting;
    std::vector<std::string> roots;
    const char* said;  // part of the complaint on stderr
  } cases[] = {
      {"sim:0:05,x;sim:0:07", {"C:\\", "D:\\"}, "track 2"},
      {"floppy;sim", {"C:\\", "D:\\"}, "floppy"},
      {"sim;sim:;sim:0:09", {"C:\\", "D:\\", "E:\\"}, "empty"},
      {"none;sim", {"C:\\", "D:\\"}, "none"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    Use(c.setting);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Roots(), c.roots) << c.setting;
    EXPECT_NE(said.find(c.said), std::string::npos) << c.setting << ": " << said;
  }
  // The good entry after a bad one keeps its own disc.
  testing::internal::CaptureStderr();
  Use("sim:bad;sim:0:07");
  testing::internal::GetCapturedStderr();
  ASSERT_NE(DriveTable::Instance().SimulatedDrive('D'), nullptr);
  EXPECT_EQ(DriveTable::Instance().SimulatedDrive('D')->Disc()->Describe(), "0:07.00");
}

// D: to Z: leave room for 23 CD-ROM drives; one more is refused before it is made, so no
// control file appears for it (it would be named after the character after Z).
TEST_F(DrivesTest, ADriveBeyondZIsRefusedWithoutLeavingAControlFile) {
  TempDir dir;
  std::string setting;
  for (int i = 0; i < 25; ++i) setting += "sim:none;";
  testing::internal::CaptureStderr();
  DriveTable::Instance().Configure(setting, dir.Path());
  const std::string said = testing::internal::GetCapturedStderr();
  const auto roots = Roots();
  ASSERT_EQ(roots.size(), 24u);
  EXPECT_EQ(roots.back(), "Z:\\");
  EXPECT_NE(said.find("no drive letter left"), std::string::npos) << said;
  std::set<std::string> files, expected;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    files.insert(entry.path().filename().string());
  for (char letter = 'D'; letter <= 'Z'; ++letter) expected.insert(std::string(1, letter) + ".state");
  EXPECT_EQ(files, expected);
}

}  // namespace
