#include "framework/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/Bitmap.h"

namespace {

namespace fs = std::filesystem;

TEST(ResourcesTest, FindsByPathAndByAnUnambiguousFileName) {
  static const std::string first = "first", second = "second", third = "third";
  RegisterResource("rt-forms/only.dfm", first);
  RegisterResource("rt-a/twice.bmp", second);
  RegisterResource("rt-b/twice.bmp", third);

  EXPECT_EQ(FindResource("rt-forms/only.dfm"), "first");
  EXPECT_EQ(FindResource("only.dfm"), "first");
  EXPECT_EQ(FindResource("rt-b/twice.bmp"), "third");
  EXPECT_EQ(FindResource("twice.bmp"), std::nullopt);
  EXPECT_EQ(FindResource("rt-forms/missing.dfm"), std::nullopt);

  // Registering a name again replaces it without making its file name ambiguous.
  RegisterResource("rt-forms/only.dfm", second);
  EXPECT_EQ(FindResource("only.dfm"), "second");
}

// The build embeds the source tree's resources/ folder: every file must come back byte for
// byte under its relative path, and every picture must decode.
TEST(ResourcesTest, EmbedsEveryFileOfTheResourceFolder) {
  RegisterEmbeddedResources();
  const fs::path dir = fs::path(PLUME_SOURCE_DIR) / "resources";
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no resources yet";
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string name = fs::relative(entry.path(), dir).generic_string();
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    SCOPED_TRACE(name);
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto embedded = FindResource(name);
    ASSERT_TRUE(embedded.has_value());
    EXPECT_EQ(*embedded, onDisk);

    TBitmap picture;
    if (entry.path().extension() == ".bmp") {
      EXPECT_TRUE(picture.LoadFromResource(name));
    } else if (entry.path().extension() == ".ico") {
      EXPECT_TRUE(picture.LoadIconFromBytes(*embedded, 16));
    }
  }
  if (files == 0) GTEST_SKIP() << "no resources yet";
}

}  // namespace
