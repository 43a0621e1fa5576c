#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCursor>

#include "platform/gdi/Gdi.h"
#include "platform/qt/QtBackend.h"
#include "platform/qt/QtDiagnostics.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtHelpViewer.h"

namespace platform::qt {

namespace {

QtEventLoop* g_loop = nullptr;
QtBackend* g_backend = nullptr;

// Before Qt goes away, the platform stops using it: the timers stop and the headless
// stand-ins take over for whatever runs during the program's last moments.
void Uninstall() {
  UninstallQtHelpViewer();
  if (g_backend && ui::CurrentBackend() == g_backend) ui::SetBackend(nullptr);
  SetCursorPosSource(nullptr);
  if (g_loop) {
    if (&CurrentEventLoop() == g_loop) SetEventLoop(nullptr);
    g_loop->Shutdown();
  }
}

}  // namespace

void InstallQtPlatform() {
  static QtEventLoop loop;
  static QtBackend backend;
  if (!g_loop) qAddPostRoutine(Uninstall);
  g_loop = &loop;
  g_backend = &backend;
  QGuiApplication::setQuitOnLastWindowClosed(false);
  SetEventLoop(&loop);
  ui::SetBackend(&backend);
  SetCursorPosSource([] {
    const QPoint p = QCursor::pos();
    return POINT{p.x(), p.y()};
  });
  InstallQtHelpViewer();
  StartDiagnostics();
}

}  // namespace platform::qt
