#include "platform/win32/Win32Platform.h"

#include "platform/gdi/Gdi.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Diagnostics.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32HelpViewer.h"

namespace platform::win32 {

void InstallWin32Platform() {
  static Win32EventLoop loop;
  static Win32Backend backend;
  SetEventLoop(&loop);
  ui::SetBackend(&backend);
  SetCursorPosSource([] {
    POINT p{};
    (::GetCursorPos)(&p);
    return p;
  });
  InstallWin32HelpViewer();
  StartDiagnostics(backend);
}

}  // namespace platform::win32
