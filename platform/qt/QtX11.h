// What Qt does not offer for X11 windows: the icon name that task bars and window lists show,
// set apart from the window's title, and sending queued requests at once.
#pragma once

#include <QString>
#include <QWidget>

namespace platform::qt {

// Sets WM_ICON_NAME and _NET_WM_ICON_NAME (UTF-8) of a top-level window. Does nothing and
// returns false when the program does not run on X11 or the window has no native window yet.
bool SetX11IconName(QWidget* window, const QString& name);

// Sends the X server what Qt has queued for it, without waiting for the event loop to.
void FlushX11Requests();

}  // namespace platform::qt
