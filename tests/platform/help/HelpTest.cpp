#include "platform/help/Help.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/help/HelpText.h"
#include "platform/system/Ascii.h"
#include "platform/system/Paths.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempDir.h"

using namespace platform::help;

namespace {

class FakeViewer : public HelpViewer {
 public:
  std::vector<std::string> calls;
  std::string text;

  void ShowContents(const std::string& title, const std::string& t) override {
    calls.push_back("show " + title);
    text = t;
  }
  void ReportMissingFile(HWND owner, const std::string& fileName) override {
    calls.push_back("missing " + fileName + " " + std::to_string(HandleValue(owner)));
  }
  void Close() override { calls.push_back("close"); }
};

// A private system folder, a file name no other test uses (tests may run side by side,
// and one of the places is the folder of the test program itself), and no viewer.
class HelpTest : public ::testing::Test {
 protected:
  HelpTest() : name_("helptest-" + std::to_string(::getpid()) + ".hlp") {
    if (const char* own = std::getenv("PLUME_WINDOWS_DIR")) savedDir_ = own;
    ::setenv("PLUME_WINDOWS_DIR", system.Path().c_str(), 1);
    previous_ = SetHelpViewer(nullptr);
  }
  ~HelpTest() override {
    std::error_code ec;
    std::filesystem::remove(BesideProgram(), ec);
    UnregisterHelpText(name_);
    SetHelpViewer(previous_);
    if (savedDir_)
      ::setenv("PLUME_WINDOWS_DIR", savedDir_->c_str(), 1);
    else
      ::unsetenv("PLUME_WINDOWS_DIR");
  }

  const std::string& Name() const { return name_; }
  std::string BesideProgram() const { return (std::filesystem::path(ModuleFileName()).parent_path() / name_).string(); }
  void WriteBesideProgram(const std::string& text) const { std::ofstream(BesideProgram()) << text; }

  TempDir system;
  FakeViewer viewer;

 private:
  std::string name_;
  std::optional<std::string> savedDir_;
  HelpViewer* previous_ = nullptr;
};

TEST_F(HelpTest, LooksBesideTheProgramThenInTheSystemFolderThenAmongRegisteredTexts) {
  EXPECT_EQ(FindHelpText(Name()), std::nullopt);
  RegisterHelpText(Name(), "registered");
  EXPECT_EQ(FindHelpText(Name()), "registered");
  system.Write(Name(), "system folder");
  EXPECT_EQ(FindHelpText(Name()), "system folder");
  WriteBesideProgram("beside the program");
  EXPECT_EQ(FindHelpText(Name()), "beside the program");

  std::filesystem::remove(BesideProgram());
  std::filesystem::remove(system.File(Name()));
  RegisterHelpText(Name(), "registered again");
  EXPECT_EQ(FindHelpText(Name()), "registered again");
  UnregisterHelpText(Name());
  EXPECT_EQ(FindHelpText(Name()), std::nullopt);
}

TEST_F(HelpTest, NamesMatchWithoutRegardToCase) {
  const std::string upper = platform::AsciiUpper(Name());
  system.Write(Name(), "on disk");
  EXPECT_EQ(FindHelpText(upper), "on disk");
  std::filesystem::remove(system.File(Name()));
  RegisterHelpText(upper, "registered");
  EXPECT_EQ(FindHelpText(Name()), "registered");
}

TEST_F(HelpTest, ANameWithAFolderIsReadFromThereOnly) {
  RegisterHelpText(Name(), "registered");
  system.Write(Name(), "in the folder");
  EXPECT_EQ(FindHelpText(system.File(Name())), "in the folder");
  EXPECT_EQ(FindHelpText(system.Path() + "/nothing/" + Name()), std::nullopt);
  // A folder of that name is not a help file.
  std::filesystem::create_directory(system.File("folder.hlp"));
  EXPECT_EQ(FindHelpText(system.File("folder.hlp")), std::nullopt);
  EXPECT_EQ(FindHelpText(""), std::nullopt);
}

TEST_F(HelpTest, ContentsShowTheFileUnderItsFirstHeading) {
  SetHelpViewer(&viewer);
  const HWND window = HandleFromValue(7);
  system.Write(Name(), "== Only a section\n\nsome text\n\n= The Guide\n");
  EXPECT_EQ(WinHelpA(window, Name().c_str(), HELP_CONTENTS, 0), TRUE);
  EXPECT_EQ(WinHelpA(window, (Name() + ">main").c_str(), HELP_FINDER, 0), TRUE);
  EXPECT_EQ(WinHelpA(window, Name().c_str(), HELP_CONTEXT, 42), TRUE);
  EXPECT_EQ(viewer.calls, (std::vector<std::string>{"show The Guide", "show The Guide", "show The Guide"}));
  EXPECT_EQ(viewer.text, "== Only a section\n\nsome text\n\n= The Guide\n");

  // Without a heading the window is called after the file.
  system.Write(Name(), "plain text");
  viewer.calls.clear();
  EXPECT_EQ(WinHelpA(window, system.File(Name()).c_str(), HELP_INDEX, 0), TRUE);
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"show " + Name()});
}

TEST_F(HelpTest, AMissingFileIsReportedByTheViewerAlone) {
  SetHelpViewer(&viewer);
  EXPECT_EQ(WinHelpA(HandleFromValue(9), (Name() + ">proc").c_str(), HELP_CONTENTS, 0), FALSE);
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"missing " + Name() + " 9"});
  const std::string message = MissingHelpFileText("plume.hlp");
  EXPECT_EQ(message, "ヘルプ ファイル plume.hlp が見つかりません。");
}

TEST_F(HelpTest, QuitClosesTheViewerAndHelpOnHelpNeedsNoFile) {
  SetHelpViewer(&viewer);
  EXPECT_EQ(WinHelpA(nullptr, Name().c_str(), HELP_QUIT, 0), TRUE);
  EXPECT_EQ(WinHelpA(nullptr, nullptr, HELP_HELPONHELP, 0), TRUE);
  ASSERT_EQ(viewer.calls.size(), 2u);
  EXPECT_EQ(viewer.calls[0], "close");
  EXPECT_EQ(viewer.calls[1], "show ヘルプの使い方");
  const HelpDocument guide = ParseHelpText(viewer.text);
  EXPECT_TRUE(guide.problems.empty());
  EXPECT_NE(viewer.text.find("= Using Help"), std::string::npos);
}

TEST_F(HelpTest, UnknownCommandsAndNullNamesDoNothing) {
  SetHelpViewer(&viewer);
  RegisterHelpText(Name(), "= Known");
  for (UINT command : {0u, 5u, 0x0101u}) EXPECT_EQ(WinHelpA(nullptr, Name().c_str(), command, 0), FALSE) << command;
  EXPECT_EQ(WinHelpA(nullptr, nullptr, HELP_CONTENTS, 0), FALSE);
  EXPECT_TRUE(viewer.calls.empty());
}

TEST_F(HelpTest, HeadlessRequestsAreToldToTheObserver) {
  HelpRequestRecorder requests;
  EXPECT_EQ(requests.Last(), std::nullopt);
  EXPECT_EQ(WinHelpA(HandleFromValue(3), Name().c_str(), HELP_CONTENTS, 0), FALSE);
  ASSERT_TRUE(requests.Last());
  EXPECT_EQ(requests.Last()->window, HandleFromValue(3));
  EXPECT_EQ(requests.Last()->file, Name());
  EXPECT_EQ(requests.Last()->command, HELP_CONTENTS);
  EXPECT_FALSE(requests.Last()->found);

  RegisterHelpText(Name(), "= Found");
  EXPECT_EQ(WinHelpA(HandleFromValue(3), Name().c_str(), HELP_CONTEXT, 12), TRUE);
  EXPECT_TRUE(requests.Last()->found);
  EXPECT_EQ(requests.Last()->data, 12u);

  EXPECT_EQ(WinHelpA(nullptr, nullptr, HELP_QUIT, 0), TRUE);
  EXPECT_EQ(requests.Last()->command, HELP_QUIT);
  EXPECT_EQ(requests.Last()->file, "");
}

}  // namespace
