#include "platform/qt/QtMprisRoot.h"

#include "platform/qt/QtMediaControls.h"

namespace platform::qt {

QtMprisRoot::QtMprisRoot(QtMediaControls* controls) : QDBusAbstractAdaptor(controls), controls_(controls) {}

QString QtMprisRoot::identity() const { return controls_->Identity(); }
QString QtMprisRoot::desktopEntry() const { return controls_->DesktopEntry(); }

void QtMprisRoot::Raise() { controls_->Post(desktop::MediaCommand::Raise); }
// Quitting is the power button's: the window's placement is saved on the way out.
void QtMprisRoot::Quit() { controls_->Post(desktop::MediaCommand::Quit); }

}  // namespace platform::qt
