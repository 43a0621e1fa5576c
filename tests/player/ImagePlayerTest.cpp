// The main window with a disc image in the drive, and with one that cannot be read.
#include <gtest/gtest.h>

#include "tests/player/PlayerFixture.h"
#include "tests/support/ToneImage.h"

namespace {

using ImagePlayerTest = PlayerTest;

TEST_F(ImagePlayerTest, AnImageIsListedAsADisc) {
  Start("image:" + tone_image::Write(dir.Path()));
  EXPECT_EQ(form->noCD->Caption(), "Audio CD");
  EXPECT_EQ(form->List1->Items()->Items(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(ImagePlayerTest, AnUnreadableImageShowsNoDisc) {
  tone_image::Write(dir.Path());
  dir.Write("bad.cue", "FILE tones.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 99:00:00\n");
  Start("image:" + dir.File("bad.cue"));
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");
  EXPECT_TRUE(form->List1->Items()->Items().empty());
  EXPECT_TRUE(boxes.All().empty());
}

}  // namespace
