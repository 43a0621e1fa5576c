// A profile write killed half-way leaves its temporary beside the file; the next write of that
// file removes such leftovers of ended processes and nothing else.
#include "platform/profile/StaleTemporaries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/profile/Profile.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using platform::profile::TemporaryName;

// The id of a process that has certainly ended (and been reaped).
long EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

TEST(StaleTemporaries, NextWriteRemovesOnlyOurLeftoversOfEndedWriters) {
  TempDir dir;
  const long ended = EndedProcess();
  const long running = ::getppid();
  dir.Write("plume.ini", "[a]\r\nk=1\r\n");
  const std::set<std::string> stale = {TemporaryName("plume.ini", ended, 0), TemporaryName("plume.ini", ended, 17)};
  const std::set<std::string> kept = {
      "plume.ini",
      TemporaryName("plume.ini", running, 3),         // a writer that still runs
      TemporaryName("plume.ini", ::getpid(), 99),     // this process's own, maybe in flight
      TemporaryName("other.ini", ended, 0),           // another file's
      TemporaryName("plume.ini", ended, 0) + ".bak",  // not of our naming
      ".plume.ini.x12.0.tmp",
      ".plume.ini." + std::to_string(ended) + ".tmp",
      "plume.ini." + std::to_string(ended) + ".0.tmp",
  };
  for (const auto& name : stale) dir.Write(name, "half a file");
  for (const auto& name : kept)
    if (name != "plume.ini") dir.Write(name, "not ours to remove");

  ASSERT_TRUE(WritePrivateProfileStringA("a", "k", "2", dir.File("plume.ini").c_str()));
  EXPECT_EQ(Names(dir.Path()), kept);
  EXPECT_EQ(dir.Read("plume.ini"), "[a]\r\nk=2\r\n");
}

TEST(StaleTemporaries, WriterIdIsReadFromTheName) {
  TempDir dir;
  const long ended = EndedProcess();
  // A directory of the same naming is not a leftover file and stays.
  fs::create_directory(dir.File(TemporaryName("t.ini", ended, 1)));
  dir.Write(TemporaryName("t.ini", ended, 2), "");
  dir.Write(".t.ini.0.2.tmp", "");
  dir.Write(".t.ini.99999999999999999999.2.tmp", "");
  EXPECT_EQ(platform::profile::RemoveStaleTemporaries(dir.Path(), "t.ini"), 1);
  EXPECT_EQ(Names(dir.Path()).size(), 3u);
  EXPECT_EQ(platform::profile::RemoveStaleTemporaries(dir.Path() + "/missing", "t.ini"), 0);
}

}  // namespace
