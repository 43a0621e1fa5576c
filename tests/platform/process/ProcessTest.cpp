#include "platform/process/Process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TempDir.h"

using platform::process::IsVolumeProgram;
using platform::process::SplitCommandLine;

namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLineTest, SplitsAsTheOriginalSystemsProgramsDo) {
  struct Case {
    const char* line;
    Words words;
  };
  const Case cases[] = {
      {"", {}},
      {" \t  ", {}},
      {"Sndvol32.exe", {"Sndvol32.exe"}},
      {"  a\tb   c  ", {"a", "b", "c"}},
      {R"("C:\Program Files\mixer.exe" -f)", {R"(C:\Program Files\mixer.exe)", "-f"}},
      {R"(a"b c"d e)", {"ab cd", "e"}},
      {R"("" x)", {"", "x"}},
      {R"("say ""hi"" twice")", {R"(say "hi" twice)"}},
      {R"(a\\"b c")", {R"(a\b c)"}},
      {R"(a\"b c)", {R"(a"b)", "c"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      {R"(C:\dir\\file)", {R"(C:\dir\\file)"}},
      {R"("open ended)", {"open ended"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SplitCommandLine(c.line), c.words);
  }
}

TEST(SplitCommandLineTest, KnowsTheVolumeProgramByItsName) {
  for (const char* name : {"Sndvol32.exe", "SNDVOL32.EXE", "sndvol32", "SndVol32",
                           R"(C:\WINDOWS\System32\Sndvol32.exe)", "/opt/win/sndvol32.exe"})
    EXPECT_TRUE(IsVolumeProgram(name)) << name;
  for (const char* name : {"", "sndvol", "sndvol32x", "sndvol32.exe.bak", "xsndvol32", ".exe", "pavucontrol"})
    EXPECT_FALSE(IsVolumeProgram(name)) << name;
}

// Gives each test a folder of fake programs as the whole PATH, and puts PATH back after.
class ProcessTest : public ::testing::Test {
 protected:
  ProcessTest() {
    if (const char* path = std::getenv("PATH")) savedPath_ = path;
    std::filesystem::create_directory(dir.File("bin"));
    ::setenv("PATH", dir.File("bin").c_str(), 1);
  }
  ~ProcessTest() override {
    if (savedPath_)
      ::setenv("PATH", savedPath_->c_str(), 1);
    else
      ::unsetenv("PATH");
  }

  // A program that writes what it was started with to <name>.out: its arguments, one a
  // line, then its pid, its session, its folder, what its standard handles are, whether
  // fd 57 is open and $PLUME_MARK, and "end" last so that a reader knows it is complete.
  // Only the shell's own commands and absolute paths: PATH holds nothing else.
  std::string FakeProgram(const std::string& name, const std::string& folder = "bin") {
    const std::string path = dir.File(folder + "/" + name);
    dir.Write(folder + "/" + name,
              "#!/bin/sh\n"
              "in=$(/bin/readlink /proc/$$/fd/0); out=$(/bin/readlink /proc/$$/fd/1); "
              "err=$(/bin/readlink /proc/$$/fd/2)\n"
              "read -r pid comm state ppid pgrp sid rest < /proc/$$/stat\n"
              "if [ -e /proc/$$/fd/57 ]; then fd57=open; else fd57=closed; fi\n"
              "{ for a in \"$@\"; do echo \"arg $a\"; done\n"
              "  echo \"pid $$\"; echo \"sid $sid\"; echo \"cwd $(pwd)\"\n"
              "  echo \"std $in $out $err\"; echo \"fd57 $fd57\"; echo \"mark $PLUME_MARK\"; echo end\n"
              "} > '" +
                  dir.File(name + ".out") + "'\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }

  // The fake program's report, once complete; nothing when it has not run within 2 s.
  std::optional<std::string> Report(const std::string& name) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
      const std::string text = dir.Read(name + ".out");
      if (text.size() >= 4 && text.compare(text.size() - 4, 4, "end\n") == 0) return text;
      if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  static BOOL Start(const char* commandLine, PROCESS_INFORMATION* pi = nullptr, LPCSTR app = nullptr,
                    void* env = nullptr, LPCSTR folder = nullptr) {
    std::string line = commandLine ? commandLine : "";
    STARTUPINFOA si{};
    GetStartupInfoA(&si);
    PROCESS_INFORMATION ignored{};
    return CreateProcessA(app, commandLine ? line.data() : nullptr, nullptr, nullptr, FALSE, 0, env, folder, &si,
                          pi ? pi : &ignored);
  }

  // A finished child that nobody collects stays in /proc as a zombie.
  static bool Reaped(DWORD pid) {
    const std::string entry = "/proc/" + std::to_string(pid);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::filesystem::exists(entry)) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  TempDir dir;

 private:
  std::optional<std::string> savedPath_;
};

TEST_F(ProcessTest, StartUpInfoNamesThisProgram) {
  STARTUPINFOA si;
  std::memset(&si, 0x5A, sizeof si);
  GetStartupInfoA(&si);
  EXPECT_EQ(si.cb, sizeof(STARTUPINFOA));
  ASSERT_NE(si.lpTitle, nullptr);
  EXPECT_EQ(std::filesystem::path(si.lpTitle), std::filesystem::canonical("/proc/self/exe"));
  EXPECT_EQ(si.dwFlags, 0u);
  EXPECT_EQ(si.lpDesktop, nullptr);
  EXPECT_EQ(si.hStdOutput, nullptr);
  GetStartupInfoA(nullptr);  // harmless
}

TEST_F(ProcessTest, AProgramThatCannotBeStartedGivesFalseAndLeavesTheRecord) {
  dir.Write("bin/not-executable", "#!/bin/sh\n");
  PROCESS_INFORMATION pi{reinterpret_cast<void*>(1), reinterpret_cast<void*>(2), 3, 4};
  for (const char* line : {"no-such-program-here", "not-executable", "\"\" x", "   ", "./missing/prog"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(Start(line, &pi), FALSE);
  }
  EXPECT_EQ(Start(nullptr, &pi), FALSE);
  EXPECT_EQ(pi.dwProcessId, 3u);
  EXPECT_EQ(pi.dwThreadId, 4u);
}

TEST_F(ProcessTest, AProgramOnPathRunsDetachedWithItsWordsAndIsCollected) {
  FakeProgram("fake-player");
  // A file the player holds open must not reach the program.
  const int held = ::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::dup2(held, 57), 57);
  ::close(held);

  PROCESS_INFORMATION pi{};
  const BOOL started = Start(R"(fake-player one "two words" three\"quoted)", &pi);
  ::close(57);
  ASSERT_EQ(started, TRUE);
  EXPECT_NE(pi.dwProcessId, 0u);
  EXPECT_EQ(pi.dwThreadId, pi.dwProcessId);
  EXPECT_NE(pi.hProcess, nullptr);

  const auto report = Report("fake-player");
  ASSERT_TRUE(report) << "the program did not run";
  EXPECT_NE(report->find("arg one\narg two words\narg three\"quoted\npid "), std::string::npos) << *report;
  const std::string pid = std::to_string(pi.dwProcessId);
  EXPECT_NE(report->find("pid " + pid + "\n"), std::string::npos) << *report;
  EXPECT_NE(report->find("sid " + pid + "\n"), std::string::npos) << "not a session of its own: " << *report;
  EXPECT_NE(report->find("std /dev/null /dev/null /dev/null\n"), std::string::npos) << *report;
  EXPECT_NE(report->find("fd57 closed\n"), std::string::npos) << *report;
  EXPECT_TRUE(Reaped(pi.dwProcessId)) << "the finished program was left as a zombie";
}

TEST_F(ProcessTest, AnApplicationNameIsRunFromItsPathWithTheGivenFolderAndEnvironment) {
  std::filesystem::create_directory(dir.File("elsewhere"));
  std::filesystem::create_directory(dir.File("work"));
  const std::string program = FakeProgram("tool", "elsewhere");
  char environment[] = "PLUME_MARK=hello\0OTHER=1\0";  // the literal's own NUL ends the block
  PROCESS_INFORMATION pi{};
  ASSERT_EQ(Start("tool --flag", &pi, program.c_str(), environment, dir.File("work").c_str()), TRUE);
  const auto report = Report("tool");
  ASSERT_TRUE(report);
  EXPECT_NE(report->find("arg --flag\n"), std::string::npos) << *report;
  EXPECT_NE(report->find("cwd " + dir.File("work") + "\n"), std::string::npos) << *report;
  EXPECT_NE(report->find("mark hello\n"), std::string::npos) << *report;
  EXPECT_TRUE(Reaped(pi.dwProcessId));

  // Not on PATH, so only the application name finds it.
  EXPECT_EQ(Start("tool"), FALSE);
}

TEST_F(ProcessTest, TheVolumeProgramStartsTheFirstMixerFound) {
  FakeProgram("kmix");
  FakeProgram("xfce4-mixer");
  FakeProgram("alsamixer");  // needs a terminal, so it never counts
  ASSERT_EQ(Start("Sndvol32.exe"), TRUE);
  const auto kmix = Report("kmix");
  ASSERT_TRUE(kmix);
  EXPECT_EQ(kmix->rfind("pid ", 0), 0u) << "the mixer was given words: " << *kmix;

  // The desktop's own settings panel comes before kmix, and takes its page name and none
  // of the volume program's own options.
  FakeProgram("gnome-control-center");
  ASSERT_EQ(Start("sndvol32 /t"), TRUE);
  const auto report = Report("gnome-control-center");
  ASSERT_TRUE(report);
  EXPECT_EQ(report->substr(0, report->find("pid ")), "arg sound\n");

  FakeProgram("pavucontrol");
  ASSERT_EQ(Start(nullptr, nullptr, "SNDVOL32"), TRUE);
  EXPECT_TRUE(Report("pavucontrol"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("alsamixer.out")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("xfce4-mixer.out")));
}

TEST_F(ProcessTest, TheVolumeProgramWithoutAnyMixerGivesFalse) {
  FakeProgram("alsamixer");
  PROCESS_INFORMATION pi{};
  EXPECT_EQ(Start("Sndvol32.exe", &pi), FALSE);
  EXPECT_EQ(pi.dwProcessId, 0u);
  // Nor is a program that happens to carry the name run in the mixer's place.
  FakeProgram("Sndvol32.exe");
  EXPECT_EQ(Start("Sndvol32.exe"), FALSE);
  EXPECT_FALSE(std::filesystem::exists(dir.File("alsamixer.out")));
}

}  // namespace
