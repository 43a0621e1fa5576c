// How the player's state reads on the media player interface of the desktop bus: the
// playback status's words, the track's metadata, and which properties a change touches.
#pragma once

#include <QString>
#include <QVariantMap>

#include "platform/desktop/MediaControls.h"

namespace platform::qt {

// "Playing", "Paused" or "Stopped".
QString PlaybackStatusText(desktop::PlaybackStatus status);

// The track id names the track under the player's own path; without a track the metadata
// holds only the interface's "no track" id.
QVariantMap MetadataMap(const desktop::MediaState& state);

// The player interface's properties whose value differs between the two states, with their
// new values, as PropertiesChanged carries them. The position is never among them.
QVariantMap ChangedPlayerProperties(const desktop::MediaState& before, const desktop::MediaState& after);

}  // namespace platform::qt
