#include "platform/qt/QtMediaControls.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QStringList>

#include "platform/qt/QtMprisMapping.h"
#include "platform/qt/QtMprisPlayer.h"
#include "platform/qt/QtMprisRoot.h"

namespace platform::qt {

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
}

QtMediaControls::QtMediaControls(const QString& player, const QString& identity, const QString& desktopEntry)
    : player_(player), identity_(identity), desktopEntry_(desktopEntry) {
  // Owned by this object through Qt's parent link, and exported with it.
  new QtMprisRoot(this);
  new QtMprisPlayer(this);
}

QtMediaControls::~QtMediaControls() {
  if (bus_) {
    bus_->unregisterService(service_);
    bus_->unregisterObject(kObjectPath);
  }
}

bool QtMediaControls::Connect() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
  QString name = QStringLiteral("org.mpris.MediaPlayer2.") + player_;
  if (!bus.registerService(name)) {
    name += QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    if (!bus.registerService(name)) {
      bus.unregisterObject(kObjectPath);
      return false;
    }
  }
  service_ = name;
  bus_ = bus;
  return true;
}

void QtMediaControls::SetTarget(HWND window) { target_ = window; }

void QtMediaControls::Publish(const desktop::MediaState& state) {
  const QVariantMap changed = ChangedPlayerProperties(state_, state);
  state_ = state;
  if (!changed.isEmpty()) Announce(changed);
}

void QtMediaControls::Post(desktop::MediaCommand command) {
  // Posted, not called: the command runs from the event loop after the bus call returns,
  // as a click on the button would.
  if (target_) PostMessageA(target_, desktop::WM_MEDIACOMMAND, static_cast<WPARAM>(command), 0);
}

void QtMediaControls::Announce(const QVariantMap& changed) {
  // Qt sends no change signal for adaptor properties by itself.
  if (!bus_) return;
  QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                   QStringLiteral("PropertiesChanged"));
  signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
  bus_->send(signal);
}

}  // namespace platform::qt
