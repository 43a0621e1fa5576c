#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/mci/VirtualDisc.h"

namespace {

using platform::cd::Frame;
using platform::cd::FromMsf;
using platform::cd::VirtualDisc;

TEST(VirtualDiscTest, DemoDiscIsTwelveTracksOfAlbumLength) {
  const VirtualDisc demo = VirtualDisc::Demo();
  const auto& lengths = demo.TrackLengths();
  ASSERT_EQ(lengths.size(), 12u);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    EXPECT_GE(lengths[i], FromMsf(2, 40, 0)) << "track " << i + 1;
    EXPECT_LE(lengths[i], FromMsf(7, 30, 0)) << "track " << i + 1;
  }
  const Frame total = std::accumulate(lengths.begin(), lengths.end(), Frame{0});
  EXPECT_GE(total, FromMsf(50, 0, 0));
  EXPECT_LE(total, FromMsf(60, 0, 0));
}

// The table of contents lays the tracks end to end after the lead-in, and puts the lead-out
// one frame after the last track's stated length.
TEST(VirtualDiscTest, TableOfContentsFollowsTheLengths) {
  for (const VirtualDisc& disc : {VirtualDisc::Demo(), VirtualDisc({1}), VirtualDisc({375, 525, 12})}) {
    const auto& toc = disc.TableOfContents();
    const auto& lengths = disc.TrackLengths();
    ASSERT_EQ(toc.starts.size(), lengths.size());
    Frame at = platform::cd::kLeadInFrames;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
      EXPECT_EQ(toc.starts[i], at) << "track " << i + 1;
      at += lengths[i];
    }
    EXPECT_EQ(toc.leadOut, at + 1);
  }
}

TEST(VirtualDiscTest, TrackAtFindsTheTrackHoldingAFrame) {
  const auto toc = VirtualDisc({375, 525}).TableOfContents();  // starts 150 and 525
  const std::pair<Frame, int> cases[] = {{0, 1}, {149, 1}, {150, 1}, {524, 1}, {525, 2}, {1050, 2}, {1051, 2}};
  for (const auto& [frame, track] : cases) EXPECT_EQ(toc.TrackAt(frame), track) << frame;
}

TEST(VirtualDiscTest, ParseReadsSecondsMinutesAndFrames) {
  const struct {
    const char* text;
    std::vector<Frame> lengths;
  } cases[] = {
      {"5", {FromMsf(0, 5, 0)}},
      {"95", {FromMsf(1, 35, 0)}},
      {"4:12", {FromMsf(4, 12, 0)}},
      {"4:12.30", {FromMsf(4, 12, 30)}},
      {"2.01", {FromMsf(0, 2, 1)}},
      {"0:00.01", {1}},
      {" 0:05 ,0:07.74, 12 ", {FromMsf(0, 5, 0), FromMsf(0, 7, 74), FromMsf(0, 12, 0)}},
      {"120:00", {FromMsf(120, 0, 0)}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualDisc::Parse(c.text).TrackLengths(), c.lengths) << c.text;
  }
  EXPECT_EQ(VirtualDisc::Parse("demo"), VirtualDisc::Demo());
  EXPECT_EQ(VirtualDisc::Parse("  demo "), VirtualDisc::Demo());
}

TEST(VirtualDiscTest, ParseRefusesBadTextsNamingTheTrack) {
  const struct {
    const char* text;
    const char* names;  // part of the message, empty when no track can be named
  } cases[] = {
      {"abc", "track 1"},
      {"0:05,", "track 2"},
      {"0:05,,0:07", "track 2"},
      {"0:05,x", "track 2"},
      {"4:60", "track 1"},
      {"4:12.75", "track 1"},
      {"-5", "track 1"},
      {"1:2:3", "track 1"},
      {"4:12.", "track 1"},
      {":30", "track 1"},
      {"4:", "track 1"},
      {"1e3", "track 1"},
      {"0", "track 1"},
      {"0:05,0:00", "track 2"},
      {"256:00", "track 1"},
      // As a count of seconds this is 2^32 frames and 29 more, so it must not wrap around.
      {"57266231", "track 1"},
      {"", ""},
      {"   ", ""},
      {"demo,5", "track 1"},
  };
  for (const auto& c : cases) {
    try {
      const VirtualDisc disc = VirtualDisc::Parse(c.text);
      ADD_FAILURE() << "'" << c.text << "' was read as " << disc.Describe();
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(c.names), std::string::npos) << "'" << c.text << "': " << e.what();
    }
  }
}

TEST(VirtualDiscTest, DescribeReadsBackAsTheSameDisc) {
  EXPECT_EQ(VirtualDisc({375, FromMsf(0, 7, 30)}).Describe(), "0:05.00,0:07.30");
  for (const VirtualDisc& disc : {VirtualDisc::Demo(), VirtualDisc({1}), VirtualDisc({74, 75, 4499, 4500}),
                                  VirtualDisc({FromMsf(200, 59, 74)})}) {
    EXPECT_EQ(VirtualDisc::Parse(disc.Describe()), disc) << disc.Describe();
  }
}

TEST(VirtualDiscTest, ConstructionRefusesImpossibleDiscs) {
  EXPECT_NO_THROW(VirtualDisc(std::vector<Frame>(99, 75)));
  EXPECT_THROW(VirtualDisc(std::vector<Frame>(100, 75)), std::invalid_argument);
  EXPECT_THROW(VirtualDisc(std::vector<Frame>{}), std::invalid_argument);
  EXPECT_THROW(VirtualDisc({75, 0, 75}), std::invalid_argument);
  // Every position on the disc must fit the one-byte minute field.
  EXPECT_THROW(VirtualDisc({FromMsf(255, 59, 74)}), std::invalid_argument);
  EXPECT_THROW(VirtualDisc({FromMsf(200, 0, 0), FromMsf(56, 0, 0)}), std::invalid_argument);
  EXPECT_NO_THROW(VirtualDisc({FromMsf(255, 57, 73)}));
  EXPECT_THROW(VirtualDisc({FromMsf(255, 57, 74)}), std::invalid_argument);
}

}  // namespace
