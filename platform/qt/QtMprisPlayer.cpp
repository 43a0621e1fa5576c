#include "platform/qt/QtMprisPlayer.h"

#include "platform/qt/QtMediaControls.h"
#include "platform/qt/QtMprisMapping.h"

namespace platform::qt {

using desktop::MediaCommand;

QtMprisPlayer::QtMprisPlayer(QtMediaControls* controls) : QDBusAbstractAdaptor(controls), controls_(controls) {}

QString QtMprisPlayer::playbackStatus() const { return PlaybackStatusText(controls_->State().status); }
QVariantMap QtMprisPlayer::metadata() const { return MetadataMap(controls_->State()); }
qlonglong QtMprisPlayer::position() const { return controls_->State().positionUs; }
bool QtMprisPlayer::canGoNext() const { return controls_->State().canGoNext; }
bool QtMprisPlayer::canGoPrevious() const { return controls_->State().canGoPrevious; }
bool QtMprisPlayer::canPlay() const { return controls_->State().canPlay; }
bool QtMprisPlayer::canPause() const { return controls_->State().canPause; }

void QtMprisPlayer::Next() { controls_->Post(MediaCommand::Next); }
void QtMprisPlayer::Previous() { controls_->Post(MediaCommand::Previous); }
void QtMprisPlayer::Pause() { controls_->Post(MediaCommand::Pause); }
void QtMprisPlayer::PlayPause() { controls_->Post(MediaCommand::PlayPause); }
void QtMprisPlayer::Stop() { controls_->Post(MediaCommand::Stop); }
void QtMprisPlayer::Play() { controls_->Post(MediaCommand::Play); }
void QtMprisPlayer::Seek(qlonglong) {}
void QtMprisPlayer::SetPosition(const QDBusObjectPath&, qlonglong) {}
void QtMprisPlayer::OpenUri(const QString&) {}

}  // namespace platform::qt
