// The player's state as the desktop bus carries it: the status words, the metadata with the
// types the media player interface demands, and which properties a change announces.
#include <gtest/gtest.h>

#include <QDBusObjectPath>
#include <QStringList>

#include "platform/qt/QtMprisMapping.h"

namespace {

using platform::desktop::MediaState;
using platform::desktop::PlaybackStatus;
using namespace platform::qt;

TEST(QtMprisMappingTest, StatusWords) {
  EXPECT_EQ(PlaybackStatusText(PlaybackStatus::Playing), "Playing");
  EXPECT_EQ(PlaybackStatusText(PlaybackStatus::Paused), "Paused");
  EXPECT_EQ(PlaybackStatusText(PlaybackStatus::Stopped), "Stopped");
}

TEST(QtMprisMappingTest, MetadataHasTheInterfacesTypes) {
  MediaState s;
  QVariantMap none = MetadataMap(s);
  ASSERT_EQ(none.keys(), QStringList{"mpris:trackid"});
  EXPECT_EQ(none["mpris:trackid"].value<QDBusObjectPath>().path(), "/org/mpris/MediaPlayer2/TrackList/NoTrack");

  s.track = 12;
  s.lengthUs = 3'600'000'000LL * 2;  // beyond 32 bits
  s.title = "トラック 12";
  const QVariantMap map = MetadataMap(s);
  EXPECT_EQ(map.size(), 4);
  EXPECT_EQ(map["mpris:trackid"].metaType(), QMetaType::fromType<QDBusObjectPath>());
  EXPECT_EQ(map["mpris:trackid"].value<QDBusObjectPath>().path(), "/plume/track/12");
  EXPECT_EQ(map["xesam:trackNumber"].metaType(), QMetaType::fromType<int>());
  EXPECT_EQ(map["xesam:trackNumber"].toInt(), 12);
  EXPECT_EQ(map["mpris:length"].metaType(), QMetaType::fromType<qlonglong>());
  EXPECT_EQ(map["mpris:length"].toLongLong(), 7'200'000'000LL);
  EXPECT_EQ(map["xesam:title"].toString(), QString::fromUtf8("トラック 12"));
}

TEST(QtMprisMappingTest, ChangesAnnounceOnlyWhatChanged) {
  MediaState before;
  before.track = 1;
  before.title = "トラック 1";
  before.lengthUs = 5'000'000;
  before.canPlay = before.canPause = true;

  MediaState after = before;
  after.positionUs = 2'000'000;
  EXPECT_TRUE(ChangedPlayerProperties(before, after).isEmpty()) << "the position is asked for, not announced";

  after.status = PlaybackStatus::Playing;
  QVariantMap changed = ChangedPlayerProperties(before, after);
  EXPECT_EQ(changed.keys(), QStringList{"PlaybackStatus"});
  EXPECT_EQ(changed["PlaybackStatus"].toString(), "Playing");

  after = before;
  after.title = "Intro";
  changed = ChangedPlayerProperties(before, after);
  ASSERT_EQ(changed.keys(), QStringList{"Metadata"});
  EXPECT_EQ(changed["Metadata"].toMap()["xesam:title"].toString(), "Intro");

  after = before;
  after.track = 2;
  after.canGoNext = true;
  after.canPause = false;
  changed = ChangedPlayerProperties(before, after);
  EXPECT_EQ(changed.keys(), (QStringList{"CanGoNext", "CanPause", "Metadata"}));
  EXPECT_EQ(changed["CanGoNext"].toBool(), true);
  EXPECT_EQ(changed["CanPause"].toBool(), false);
}

}  // namespace
