#include "platform/system/Paths.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace {

// Clears the variables that choose the system folder, sets the ones a case asks for, and
// restores all of them afterwards so that other tests see the real environment.
class FolderEnvironment {
 public:
  FolderEnvironment() {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (const char* value = std::getenv(kNames[i])) saved_[i] = value;
      ::unsetenv(kNames[i]);
    }
  }
  ~FolderEnvironment() {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (saved_[i])
        ::setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        ::unsetenv(kNames[i]);
    }
  }
  FolderEnvironment(const FolderEnvironment&) = delete;
  FolderEnvironment& operator=(const FolderEnvironment&) = delete;

  static void Set(const char* name, const char* value) {
    if (value != nullptr) ::setenv(name, value, 1);
  }

 private:
  static constexpr std::array<const char*, 3> kNames{"PLUME_WINDOWS_DIR", "XDG_CONFIG_HOME", "HOME"};
  std::array<std::optional<std::string>, 3> saved_;
};

std::string SystemFolder() {
  char buffer[512];
  const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
  EXPECT_EQ(n, std::strlen(buffer));
  return buffer;
}

TEST(PathsTest, SystemFolderFollowsTheEnvironment) {
  struct Case {
    const char* own;
    const char* xdg;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/srv/plume", "/x", "/h", "/srv/plume"},
      {"/srv/plume//", nullptr, nullptr, "/srv/plume"},
      {"/", nullptr, nullptr, "/"},
      {nullptr, "/", "/h", "/plume"},
      {nullptr, nullptr, "/", "/.config/plume"},
      {"", "/x/config/", "/h", "/x/config/plume"},
      {nullptr, "relative/config", "/home/u", "/home/u/.config/plume"},
      {nullptr, "", "/home/u/", "/home/u/.config/plume"},
      {nullptr, nullptr, "", "/tmp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    const FolderEnvironment env;
    FolderEnvironment::Set("PLUME_WINDOWS_DIR", c.own);
    FolderEnvironment::Set("XDG_CONFIG_HOME", c.xdg);
    FolderEnvironment::Set("HOME", c.home);
    EXPECT_EQ(SystemFolder(), c.expected);
  }
}

TEST(PathsTest, SystemFolderReportsTheSizeItNeeds) {
  const FolderEnvironment env;
  FolderEnvironment::Set("PLUME_WINDOWS_DIR", "/abc");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetWindowsDirectoryA(buffer, 4), 5u);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), 5u);
  EXPECT_EQ(GetWindowsDirectoryA(buffer, 5), 4u);
  EXPECT_STREQ(buffer, "/abc");
}

TEST(PathsTest, ModuleFileNameIsThisTestProgram) {
  const std::string path = ModuleFileName();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  // The name the program was started under ends the path, and the path is this very
  // file rather than merely some file of that name.
  EXPECT_EQ(path.substr(path.rfind('/') + 1), program_invocation_short_name);
  struct stat self {
  }, found{};
  ASSERT_EQ(::stat("/proc/self/exe", &self), 0);
  ASSERT_EQ(::stat(path.c_str(), &found), 0);
  EXPECT_EQ(self.st_ino, found.st_ino);
  EXPECT_EQ(self.st_dev, found.st_dev);

  std::string buffer(path.size() + 1, '#');
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())), path.size());
  EXPECT_STREQ(buffer.c_str(), path.c_str());
}

TEST(PathsTest, ModuleFileNameIsCutToTheBuffer) {
  const std::string path = ModuleFileName();
  ASSERT_GT(path.size(), 2u);
  std::string buffer(path.size(), '#');
  const auto size = static_cast<DWORD>(path.size());
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer.data(), size), size);
  EXPECT_EQ(std::string(buffer.c_str()), path.substr(0, path.size() - 1));

  char one[1] = {'#'};
  EXPECT_EQ(GetModuleFileNameA(nullptr, one, 1), 1u);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(GetModuleFileNameA(nullptr, one, 0), 0u);
  int other = 0;
  EXPECT_EQ(GetModuleFileNameA(&other, buffer.data(), size), 0u);
}

}  // namespace
