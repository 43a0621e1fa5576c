// Where the settings file lies, how integers are read and written, and window placements.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "platform/system/Paths.h"
#include "settings/IniGT.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/TempDir.h"

namespace {

class IniGTTest : public PlatformTest {
 protected:
  IniGTTest() {
    ini = new TIniGT(owner.get());
    const char* old = std::getenv("PLUME_WINDOWS_DIR");
    savedWindowsDir = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("PLUME_WINDOWS_DIR", windowsDir.Path().c_str(), 1);
  }
  ~IniGTTest() override {
    if (savedWindowsDir) {
      setenv("PLUME_WINDOWS_DIR", savedWindowsDir->c_str(), 1);
    } else {
      unsetenv("PLUME_WINDOWS_DIR");
    }
  }
  static std::string ExeDir() {
    const std::string exe = ModuleFileName();
    return exe.substr(0, exe.find_last_of('/') + 1);
  }

  TIniGT* ini;
  TempDir dir;
  TempDir windowsDir;
  std::optional<std::string> savedWindowsDir;
};

TEST_F(IniGTTest, ThePathFollowsTheDefaultFolderUnlessTheNameHasOne) {
  struct Case {
    TIniGTDefaultDir where;
    std::string name;
    std::string path;
  };
  const Case cases[] = {
      {ddApplication, "a.ini", ExeDir() + "a.ini"},
      {ddWindows, "a.ini", windowsDir.Path() + "/a.ini"},
      {ddNone, "a.ini", "a.ini"},
      {ddApplication, "sub/a.ini", "sub/a.ini"},
      {ddWindows, "/etc/x/a.ini", "/etc/x/a.ini"},
      {ddNone, "C:a.ini", "C:a.ini"},
      {ddWindows, "dir\\a.ini", "dir\\a.ini"},
  };
  for (const auto& c : cases) {
    ini->SetDefaultDir(c.where);
    ini->SetFileName(c.name);
    EXPECT_EQ(ini->Path(), c.path) << c.name;
    EXPECT_EQ(ini->FileName(), c.name);
  }
}

TEST_F(IniGTTest, LoadedNamesTheFileAfterTheProgramAndChangingTheFolderRebuildsThePath) {
  ini->BeginLoading();
  ini->SetDefaultDir(ddApplication);
  EXPECT_EQ(ini->Path(), ExeDir());
  ini->EndLoading();
  const std::string exe = ModuleFileName().substr(ExeDir().size());
  EXPECT_EQ(ini->FileName(), exe + ".ini");
  EXPECT_EQ(ini->Path(), ExeDir() + exe + ".ini");
  ini->SetDefaultDir(ddWindows);
  EXPECT_EQ(ini->Path(), windowsDir.Path() + "/" + exe + ".ini");

  // A name given before loading ends is kept.
  auto* named = new TIniGT(owner.get());
  named->BeginLoading();
  named->SetFileName("given.ini");
  named->EndLoading();
  EXPECT_EQ(named->FileName(), "given.ini");
}

TEST_F(IniGTTest, IntegersReadInDecimalOrHexAndAnythingElseGivesTheDefault) {
  ini->SetFileName(dir.File("s.ini"));
  dir.Write("s.ini",
            "[S]\r\na=0x64\r\nb=0X64\r\nc=$64\r\nd=  -17\r\ne=abc\r\nf=\r\ng=4294967296\r\nh=2147483647\r\n"
            "i=12 \r\nj=0x\r\n");
  const std::pair<const char*, int> cases[] = {{"a", 100}, {"b", 100}, {"c", 100},    {"d", -17},
                                               {"e", 7},   {"f", 7},   {"g", 7},      {"h", 2147483647},
                                               {"i", 12},  {"j", 7},   {"missing", 7}};
  for (const auto& [key, value] : cases) EXPECT_EQ(ini->ReadInteger("S", key, 7), value) << key;
  EXPECT_EQ(ini->ReadInteger("Other", "a", 3), 3);
}

TEST_F(IniGTTest, WritingCreatesTheFileAndAFailedWriteNamesThePath) {
  ini->SetFileName(dir.File("s.ini"));
  ini->WriteInteger("S", "k", -42);
  EXPECT_EQ(dir.Read("s.ini"), "[S]\r\nk=-42\r\n");
  EXPECT_EQ(ini->ReadInteger("S", "k", 0), -42);

  ini->SetFileName(dir.File("none/s.ini"));
  try {
    ini->WriteInteger("S", "k", 1);
    FAIL() << "no error raised";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), dir.File("none/s.ini") + " に書き込めません");
  }
}

TEST_F(IniGTTest, PlacementsRoundTripAndPartialSectionsChangeOnlyTheirFields) {
  ini->SetFileName(dir.File("s.ini"));
  auto* window = new TForm(owner.get());
  window->SetBounds(208, 120, 482, 159);
  ini->WriteWindowPos("Setting", "WindowsPos", window);
  EXPECT_EQ(dir.Read("s.ini"),
            "[Setting]\r\nWindowsPos.Flags=0\r\nWindowsPos.Show=1\r\nWindowsPos.MaxX=-1\r\nWindowsPos.MaxY=-1\r\n"
            "WindowsPos.X=208\r\nWindowsPos.Y=120\r\nWindowsPos.XSize=690\r\nWindowsPos.YSize=279\r\n");

  auto* other = new TForm(owner.get());
  other->SetBounds(10, 20, 300, 200);
  dir.Write("p.ini", "[Setting]\r\nWindowsPos.X=100\r\nWindowsPos.Y=40\r\n");
  ini->SetFileName(dir.File("p.ini"));
  EXPECT_FALSE(other->Visible());
  ini->ReadWindowPos("Setting", "WindowsPos", other);
  EXPECT_EQ(other->Left(), 100);
  EXPECT_EQ(other->Top(), 40);
  EXPECT_EQ(other->Left() + other->Width(), 310) << "the right edge stays where it was";
  EXPECT_EQ(other->Top() + other->Height(), 220);
  EXPECT_TRUE(other->Visible()) << "the normal show state makes a hidden window visible";
}

TEST_F(IniGTTest, APlacementOffEveryScreenIsBroughtBack) {
  ini->SetFileName(dir.File("p.ini"));
  dir.Write(
      "p.ini",
      "[Setting]\r\nWindowsPos.X=5000\r\nWindowsPos.Y=-900\r\nWindowsPos.XSize=5482\r\nWindowsPos.YSize=-741\r\n");
  auto* window = new TForm(owner.get());
  window->SetBounds(208, 120, 482, 159);
  ini->ReadWindowPos("Setting", "WindowsPos", window);
  EXPECT_EQ(window->Width(), 482);
  EXPECT_EQ(window->Height(), 159);
  EXPECT_EQ(window->Left(), 1920 - 482);
  EXPECT_EQ(window->Top(), 0);
}

}  // namespace

namespace {

TEST_F(IniGTTest, APlacementWithEveryKeyAtAnExtremeIsRepairedByTheNextWrite) {
  // Headless, the one screen is 1920 × 1080; the window is 482 × 159.
  struct Case {
    const char* file;
    const char* written;
  };
  const Case cases[] = {
      {"[Setting]\r\nWindowsPos.Flags=-2147483648\r\nWindowsPos.Show=2147483647\r\nWindowsPos.MaxX=2147483647\r\n"
       "WindowsPos.MaxY=-2147483648\r\nWindowsPos.X=2147483647\r\nWindowsPos.Y=-2147483648\r\n"
       "WindowsPos.XSize=-2147483648\r\nWindowsPos.YSize=2147483647\r\n",
       "[Setting]\r\nWindowsPos.Flags=0\r\nWindowsPos.Show=1\r\nWindowsPos.MaxX=-1\r\nWindowsPos.MaxY=-1\r\n"
       "WindowsPos.X=1438\r\nWindowsPos.Y=0\r\nWindowsPos.XSize=1920\r\nWindowsPos.YSize=159\r\n"},
      {"[Setting]\r\nWindowsPos.Flags=-2147483648\r\nWindowsPos.Show=-2147483648\r\nWindowsPos.MaxX=-2147483648\r\n"
       "WindowsPos.MaxY=-2147483648\r\nWindowsPos.X=-2147483648\r\nWindowsPos.Y=-2147483648\r\n"
       "WindowsPos.XSize=-2147483648\r\nWindowsPos.YSize=-2147483648\r\n",
       "[Setting]\r\nWindowsPos.Flags=0\r\nWindowsPos.Show=1\r\nWindowsPos.MaxX=-1\r\nWindowsPos.MaxY=-1\r\n"
       "WindowsPos.X=0\r\nWindowsPos.Y=0\r\nWindowsPos.XSize=482\r\nWindowsPos.YSize=159\r\n"},
      {"[Setting]\r\nWindowsPos.X=-2147483648\r\nWindowsPos.Y=-2147483648\r\n"
       "WindowsPos.XSize=2147483647\r\nWindowsPos.YSize=2147483647\r\n",
       "[Setting]\r\nWindowsPos.X=0\r\nWindowsPos.Y=0\r\nWindowsPos.XSize=482\r\nWindowsPos.YSize=159\r\n"
       "WindowsPos.Flags=0\r\nWindowsPos.Show=1\r\nWindowsPos.MaxX=-1\r\nWindowsPos.MaxY=-1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    dir.Write("p.ini", c.file);
    ini->SetFileName(dir.File("p.ini"));
    auto* window = new TForm(owner.get());
    window->SetBounds(208, 120, 482, 159);
    ini->ReadWindowPos("Setting", "WindowsPos", window);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->Width(), 482);
    EXPECT_EQ(window->Height(), 159);
    ini->WriteWindowPos("Setting", "WindowsPos", window);
    EXPECT_EQ(dir.Read("p.ini"), c.written);
    // The repaired file comes back as it was written.
    auto* again = new TForm(owner.get());
    again->SetBounds(10, 10, 482, 159);
    ini->ReadWindowPos("Setting", "WindowsPos", again);
    EXPECT_EQ(again->Left(), window->Left());
    EXPECT_EQ(again->Top(), window->Top());
    EXPECT_EQ(again->Width(), 482);
    EXPECT_EQ(again->Height(), 159);
  }
}

}  // namespace
