// The settings file of an installed deck on Windows: the per-user store's rule with the
// system's paths, and its copy made from the file beside the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/profile/PerUserStore.h"
#include "platform/profile/Profile.h"
#include "tests/support/TempDir.h"

using platform::profile::PerUserStore;
using platform::profile::PreparePerUserCopy;
using platform::profile::RedirectedPath;

namespace {

TEST(Win32PerUserStore, OnlyAFileBesideAnUnwritableProgramIsRedirected) {
  TempDir dir;
  const std::string program = dir.Path();
  const std::string store = "C:\\users\\u\\AppData\\Local\\plume\\";
  // Either separator, and any case: the system's file names do not care.
  const std::string beside = program + "\\plume.ini";
  std::string shouted = program + "/PLUME.ini";
  for (auto& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(RedirectedPath(beside, program, false, store), "C:\\users\\u\\AppData\\Local\\plume\\plume.ini");
  EXPECT_EQ(RedirectedPath(shouted, program, false, store), "C:\\users\\u\\AppData\\Local\\plume\\PLUME.INI");
  EXPECT_EQ(RedirectedPath(beside, program, true, store), std::nullopt) << "a writable folder keeps its file";
  EXPECT_EQ(RedirectedPath(beside, program, false, ""), std::nullopt) << "no store, no redirection";
  EXPECT_EQ(RedirectedPath(program + "\\sub\\plume.ini", program, false, store), std::nullopt);
  EXPECT_EQ(RedirectedPath("plume.ini", program, false, store), std::nullopt);
}

TEST(Win32PerUserStore, TheStoreLiesUnderTheLocalApplicationData) {
  const char* local = std::getenv("LOCALAPPDATA");
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(PerUserStore(), std::string(local) + "\\plume");
}

TEST(Win32PerUserStore, TheCopyStartsAsTheFileBesideTheProgramAndIsThenLeftAlone) {
  TempDir dir;
  dir.Write("plume.ini", "[Form1]\r\nLeft=12\r\n");
  const std::string copy = dir.Path() + "\\store\\plume.ini";
  ASSERT_TRUE(PreparePerUserCopy(dir.File("plume.ini"), copy));
  EXPECT_EQ(dir.Read("store/plume.ini"), "[Form1]\r\nLeft=12\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("Form1", "Top", "34", copy.c_str()));
  ASSERT_TRUE(PreparePerUserCopy(dir.File("plume.ini"), copy));
  char value[16] = {};
  GetPrivateProfileStringA("Form1", "Top", "", value, sizeof value, copy.c_str());
  EXPECT_STREQ(value, "34") << "a copy already made is not made again";
  EXPECT_EQ(dir.Read("plume.ini"), "[Form1]\r\nLeft=12\r\n") << "the file beside the program is never changed";
  // Nothing beside the program: the first write makes the copy from nothing.
  EXPECT_TRUE(PreparePerUserCopy(dir.File("missing.ini"), dir.Path() + "\\store\\missing.ini"));
}

TEST(Win32PerUserStore, AWritableFolderKeepsTheSettingsBesideTheProgram) {
  TempDir dir;
  const std::string file = dir.Path() + "\\plume.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("Form1", "Left", "5", file.c_str()));
  char value[16] = {};
  GetPrivateProfileStringA("Form1", "Left", "", value, sizeof value, file.c_str());
  EXPECT_STREQ(value, "5");
}

}  // namespace
