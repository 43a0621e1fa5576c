#include "platform/qt/QtX11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#if defined(PLUME_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace platform::qt {

#if defined(PLUME_HAVE_XCB) && QT_CONFIG(xcb)

namespace {

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
  const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

bool SetX11IconName(QWidget* window, const QString& name) {
  if (!window || !window->isWindow() || !window->testAttribute(Qt::WA_WState_Created)) return false;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return false;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t utf8 = InternAtom(c, "UTF8_STRING");
  const xcb_atom_t netIconName = InternAtom(c, "_NET_WM_ICON_NAME");
  if (utf8 == XCB_ATOM_NONE || netIconName == XCB_ATOM_NONE) return false;
  const QByteArray bytes = name.toUtf8();
  const auto length = static_cast<std::uint32_t>(bytes.size());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_ICON_NAME, utf8, 8, length, bytes.constData());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, netIconName, utf8, 8, length, bytes.constData());
  xcb_flush(c);
  return true;
}

#else

bool SetX11IconName(QWidget*, const QString&) { return false; }

#endif

}  // namespace platform::qt
