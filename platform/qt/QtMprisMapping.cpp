#include "platform/qt/QtMprisMapping.h"

#include <QDBusObjectPath>

namespace platform::qt {

using desktop::MediaState;
using desktop::PlaybackStatus;

QString PlaybackStatusText(PlaybackStatus status) {
  switch (status) {
    case PlaybackStatus::Playing: return QStringLiteral("Playing");
    case PlaybackStatus::Paused: return QStringLiteral("Paused");
    case PlaybackStatus::Stopped: break;
  }
  return QStringLiteral("Stopped");
}

QVariantMap MetadataMap(const MediaState& state) {
  QVariantMap map;
  if (state.track <= 0) {
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"))));
    return map;
  }
  map.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath(QStringLiteral("/plume/track/%1").arg(state.track))));
  map.insert(QStringLiteral("xesam:trackNumber"), QVariant::fromValue(state.track));
  map.insert(QStringLiteral("mpris:length"), QVariant::fromValue(qlonglong{state.lengthUs}));
  map.insert(QStringLiteral("xesam:title"), QString::fromStdString(state.title));
  return map;
}

QVariantMap ChangedPlayerProperties(const MediaState& before, const MediaState& after) {
  QVariantMap changed;
  if (before.status != after.status) changed.insert(QStringLiteral("PlaybackStatus"), PlaybackStatusText(after.status));
  if (before.track != after.track || before.lengthUs != after.lengthUs || before.title != after.title)
    changed.insert(QStringLiteral("Metadata"), MetadataMap(after));
  const struct {
    const char* name;
    bool MediaState::*flag;
  } flags[] = {{"CanGoNext", &MediaState::canGoNext},
               {"CanGoPrevious", &MediaState::canGoPrevious},
               {"CanPlay", &MediaState::canPlay},
               {"CanPause", &MediaState::canPause}};
  for (const auto& f : flags)
    if (before.*f.flag != after.*f.flag) changed.insert(QString::fromLatin1(f.name), after.*f.flag);
  return changed;
}

}  // namespace platform::qt
