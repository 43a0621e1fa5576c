#include "platform/system/Files.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/TempDir.h"

namespace {

using namespace platform;

TEST(FilesTest, TheFolderOfAPath) {
  const struct {
    const char* path;
    const char* folder;
  } cases[] = {{"plume.ini", "."}, {"/plume.ini", "/"}, {"/a/plume.ini", "/a"}, {"a/b/", "a/b"}, {"", "."}};
  for (const auto& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
}

TEST(FilesTest, ReadingTakesWholeRegularFilesAndRefusesEverythingElse) {
  TempDir dir;
  const std::string big(20000, 'x');  // more than one read's worth
  dir.Write("big", big + "end");
  std::string text = "old";
  ASSERT_TRUE(ReadRegularFile(dir.File("big"), text));
  EXPECT_EQ(text, big + "end");

  dir.Write("empty", "");
  EXPECT_TRUE(ReadRegularFile(dir.File("empty"), text));
  EXPECT_EQ(text, "");

  EXPECT_FALSE(ReadRegularFile(dir.File("missing"), text));
  EXPECT_FALSE(ReadRegularFile(dir.Path(), text));
  // A pipe without a writer would hold a blocking open for good.
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadRegularFile(dir.File("pipe"), text));
}

TEST(FilesTest, FoldersAreMadeWithTheirParentsAndAFileIsNoFolder) {
  TempDir dir;
  const std::string deep = dir.File("a/b/c");
  EXPECT_TRUE(MakeFolderPath(deep));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(MakeFolderPath(deep));  // already there
  dir.Write("file", "x");
  EXPECT_FALSE(MakeFolderPath(dir.File("file")));
  EXPECT_FALSE(MakeFolderPath(dir.File("file/below")));
}

TEST(FilesTest, ACommittedFileReplacesTheOldOneAndAFailedOneLeavesNoTrace) {
  TempDir dir;
  dir.Write("plume.ini", "old");
  const auto writeTemp = [&](const std::string& text) {
    const int fd = ::open(dir.File("temp").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    return std::pair{fd, WriteAll(fd, text)};
  };

  auto [failed, written] = writeTemp("half");
  ASSERT_TRUE(written);
  EXPECT_FALSE(CommitFile(failed, false, dir.File("temp"), dir.File("plume.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("temp")));
  EXPECT_EQ(dir.Read("plume.ini"), "old");

  auto [fd, ok] = writeTemp("new");
  ASSERT_TRUE(ok);
  EXPECT_TRUE(CommitFile(fd, ok, dir.File("temp"), dir.File("plume.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("temp")));
  EXPECT_EQ(dir.Read("plume.ini"), "new");
}

}  // namespace
