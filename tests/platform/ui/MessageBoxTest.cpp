#include <gtest/gtest.h>

#include "platform/ui/Windows.h"
#include "tests/support/Recorders.h"

namespace {

TEST(MessageBoxTest, HeadlessBoxesAnswerOkAndReachOnlyTheInnermostObserver) {
  MessageBoxRecorder outer;
  {
    MessageBoxRecorder inner;
    EXPECT_EQ(MessageBoxA(nullptr, "inner", nullptr, MB_OK | MB_ICONERROR), IDOK);
    ASSERT_EQ(inner.All().size(), 1u);
    EXPECT_EQ(inner.All()[0].text, "inner");
    EXPECT_EQ(inner.All()[0].caption, "Error");  // the system's title for a null caption
    EXPECT_EQ(inner.All()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_TRUE(outer.All().empty());
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, "title", MB_OK), IDOK);
  ASSERT_EQ(outer.All().size(), 1u);
  EXPECT_EQ(outer.All()[0].text, "");
  EXPECT_EQ(outer.All()[0].caption, "title");
}

}  // namespace
