// The desktop's media controls on the session bus, as a media player of the MPRIS 2
// interfaces: the desktop reads the player's state from here and its commands go to the
// player's window as posted messages. Without a session bus nothing is registered and the
// player goes on as before.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>

#include "platform/desktop/MediaControls.h"

namespace platform::qt {

class QtMediaControls final : public QObject, public desktop::MediaControls {
  Q_OBJECT

 public:
  // `player` is the last part of the bus name, `desktopEntry` the desktop entry's name
  // without ".desktop".
  QtMediaControls(const QString& player, const QString& identity, const QString& desktopEntry);
  ~QtMediaControls() override;
  QtMediaControls(const QtMediaControls&) = delete;
  QtMediaControls& operator=(const QtMediaControls&) = delete;

  // Registers on the session bus under org.mpris.MediaPlayer2.<player>, or, when another
  // player holds that name, under ...<player>.instance<pid>. False without a bus.
  bool Connect();
  // The bus name taken; empty when not connected.
  const QString& ServiceName() const { return service_; }

  void SetTarget(HWND window) override;
  void Publish(const desktop::MediaState& state) override;

  // For the bus interfaces.
  const desktop::MediaState& State() const { return state_; }
  const QString& Identity() const { return identity_; }
  const QString& DesktopEntry() const { return desktopEntry_; }
  void Post(desktop::MediaCommand command);

 private:
  void Announce(const QVariantMap& changed);

  QString player_;
  QString identity_;
  QString desktopEntry_;
  QString service_;
  std::optional<QDBusConnection> bus_;
  HWND target_ = nullptr;
  desktop::MediaState state_;
};

}  // namespace platform::qt
