// Where a profile file really lives: the rule that sends files beside a program installed in a
// folder its user cannot write to the per-user store, and the profile functions following it.
#include "platform/profile/PerUserStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/profile/Profile.h"
#include "platform/system/Paths.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using platform::profile::RedirectedPath;

TEST(PerUserStoreRule, OnlyFilesDirectlyInAnUnwritableProgramFolderMove) {
  TempDir dir;
  fs::create_directories(dir.File("bin/sub"));
  fs::create_directories(dir.File("other"));
  fs::create_symlink(dir.File("bin"), dir.File("link"));
  const std::string program = fs::canonical(dir.File("bin")).string();
  const std::string store = "/home/u/.config/plume";
  struct Case {
    const char* what;
    std::string path;
    bool writable;
    std::string store;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"beside the program, read-only", dir.File("bin/plume.ini"), false, store, store + "/plume.ini"},
      {"beside the program, writable", dir.File("bin/plume.ini"), true, store, std::nullopt},
      {"through a link to the folder", dir.File("link/plume.ini"), false, store, store + "/plume.ini"},
      {"through ..", dir.File("bin/sub/../x.ini"), false, store, store + "/x.ini"},
      {"a store given with a slash", dir.File("bin/plume.ini"), false, store + "/", store + "/plume.ini"},
      {"in a folder below the program's", dir.File("bin/sub/plume.ini"), false, store, std::nullopt},
      {"in another folder", dir.File("other/plume.ini"), false, store, std::nullopt},
      {"a folder that does not exist", dir.File("none/plume.ini"), false, store, std::nullopt},
      {"no per-user store", dir.File("bin/plume.ini"), false, "", std::nullopt},
      {"a folder, not a file", dir.File("bin/"), false, store, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RedirectedPath(c.path, program, c.writable, c.store), c.expected);
  }
  // A program whose folder is unknown redirects nothing.
  EXPECT_EQ(RedirectedPath(dir.File("bin/plume.ini"), "", false, store), std::nullopt);
}

// Sets the variables that choose the store for one case and restores them afterwards.
class StoreEnvironment {
 public:
  StoreEnvironment(const char* xdg, const char* home) {
    Save("XDG_CONFIG_HOME", xdg, 0);
    Save("HOME", home, 1);
  }
  ~StoreEnvironment() {
    Restore("XDG_CONFIG_HOME", 0);
    Restore("HOME", 1);
  }
  StoreEnvironment(const StoreEnvironment&) = delete;
  StoreEnvironment& operator=(const StoreEnvironment&) = delete;

 private:
  void Save(const char* name, const char* value, int i) {
    if (const char* old = std::getenv(name)) saved_[i] = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  void Restore(const char* name, int i) {
    if (saved_[i])
      ::setenv(name, saved_[i]->c_str(), 1);
    else
      ::unsetenv(name);
  }
  std::optional<std::string> saved_[2];
};

TEST(PerUserStoreRule, StoreFollowsTheBaseDirectoryRules) {
  struct Case {
    const char* xdg;
    const char* home;
    std::string expected;
  };
  const Case cases[] = {
      {"/x/config", "/home/u", "/x/config/plume"},
      {"/x/config//", "/home/u", "/x/config/plume"},
      {"relative/config", "/home/u", "/home/u/.config/plume"},
      {"", "/home/u/", "/home/u/.config/plume"},
      {nullptr, "/home/u", "/home/u/.config/plume"},
      {nullptr, nullptr, ""},
      {nullptr, "relative", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " / " + (c.home ? c.home : "(unset)"));
    StoreEnvironment env(c.xdg, c.home);
    EXPECT_EQ(platform::profile::PerUserStore(), c.expected);
  }
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The whole path through the profile functions needs a program folder its user cannot write:
// this test program's own folder, seen by an unprivileged user. Each check's failure is a bit
// of the child's exit status, as the child cannot report to the test framework.
int UseBesideTheProgramAsNobody(const std::string& beside, const std::string& store) {
  if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 0x80;
  ::setenv("XDG_CONFIG_HOME", store.c_str(), 1);
  int failed = 0;
  char value[64];
  // Before any write the file beside the program is read.
  GetPrivateProfileStringA("a", "k", "", value, sizeof value, beside.c_str());
  if (std::string(value) != "1") failed |= 0x01;
  if (!WritePrivateProfileStringA("a", "k", "2", beside.c_str())) failed |= 0x02;
  GetPrivateProfileStringA("a", "k", "", value, sizeof value, beside.c_str());
  if (std::string(value) != "2") failed |= 0x04;
  // The other keys came along into the copy.
  GetPrivateProfileStringA("a", "m", "", value, sizeof value, beside.c_str());
  if (std::string(value) != "keep") failed |= 0x08;
  if (!WritePrivateProfileStringA("b", "n", "3", beside.c_str())) failed |= 0x10;
  return failed;
}

TEST(PerUserStore, ProfileFunctionsUseTheCopyWhenTheProgramFolderIsReadOnly) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const std::string folder = fs::path(ModuleFileName()).parent_path().string();
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  if (st.st_mode & 0002) GTEST_SKIP() << "the test program's folder is writable by anyone";
  TempDir home;
  const std::string store = home.File("config");
  ASSERT_EQ(::chown(home.Path().c_str(), 65534, 65534), 0);
  const std::string beside = folder + "/per-user-store-test-" + std::to_string(::getpid()) + ".ini";
  const std::string original = "[a]\r\nk=1\r\nm=keep\r\n";
  { std::ofstream(beside, std::ios::binary) << original; }

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(UseBesideTheProgramAsNobody(beside, store));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  const std::string after = FileText(beside);
  fs::remove(beside);

  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "failed checks, as bits";
  EXPECT_EQ(after, original);
  EXPECT_EQ(FileText(store + "/plume/" + fs::path(beside).filename().string()),
            "[a]\r\nk=2\r\nm=keep\r\n\r\n[b]\r\nn=3\r\n");
}

}  // namespace
