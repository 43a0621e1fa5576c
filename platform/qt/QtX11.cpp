#include "platform/qt/QtX11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#if defined(PLUME_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace platform::qt {

#if defined(PLUME_HAVE_XCB) && QT_CONFIG(xcb)

namespace {

xcb_atom_t Answer(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

// The two atoms the icon name needs. An atom keeps its number for as long as the server
// runs, so they are asked for once per connection: the task-bar text changes every second
// while the deck plays, and each question would be a round trip to the server.
struct IconNameAtoms {
  xcb_connection_t* connection = nullptr;
  xcb_atom_t utf8 = XCB_ATOM_NONE;
  xcb_atom_t netIconName = XCB_ATOM_NONE;
};

const IconNameAtoms& AtomsFor(xcb_connection_t* c) {
  static IconNameAtoms atoms;
  if (atoms.connection != c || atoms.utf8 == XCB_ATOM_NONE || atoms.netIconName == XCB_ATOM_NONE) {
    // Both questions go out before either answer is awaited: one round trip, not two.
    const auto utf8 = xcb_intern_atom(c, 0, 11, "UTF8_STRING");
    const auto netIconName = xcb_intern_atom(c, 0, 17, "_NET_WM_ICON_NAME");
    atoms.connection = c;
    atoms.utf8 = Answer(c, utf8);
    atoms.netIconName = Answer(c, netIconName);
  }
  return atoms;
}

}  // namespace

bool SetX11IconName(QWidget* window, const QString& name) {
  if (!window || !window->isWindow() || !window->testAttribute(Qt::WA_WState_Created)) return false;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return false;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const IconNameAtoms& atoms = AtomsFor(c);
  const xcb_atom_t utf8 = atoms.utf8, netIconName = atoms.netIconName;
  if (utf8 == XCB_ATOM_NONE || netIconName == XCB_ATOM_NONE) return false;
  const QByteArray bytes = name.toUtf8();
  const auto length = static_cast<std::uint32_t>(bytes.size());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_ICON_NAME, utf8, 8, length, bytes.constData());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, netIconName, utf8, 8, length, bytes.constData());
  xcb_flush(c);
  return true;
}

void FlushX11Requests() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (xcb_connection_t* c = x11 ? x11->connection() : nullptr) xcb_flush(c);
}

#else

bool SetX11IconName(QWidget*, const QString&) { return false; }

void FlushX11Requests() {}

#endif

}  // namespace platform::qt
