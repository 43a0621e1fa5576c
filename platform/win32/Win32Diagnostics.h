// The same ways to look into the running program as on the other backend:
//   PLUME_UI_DUMP=<file>       the widgets of every window, one tab-separated line each,
//                              rewritten whenever it changes;
//   PLUME_REPORT_FIRST_PAINT=1 one line on standard error when a window is first painted.
#pragma once

#include <string>

namespace platform::win32 {

class Win32Backend;

// Starts whatever the environment asks for; does nothing otherwise.
void StartDiagnostics(const Win32Backend& backend);

// The dump as it would be written now.
std::string UiDump(const Win32Backend& backend);

// Called by forms at each paint; reports the first one when asked to.
void NoteFirstPaint();

}  // namespace platform::win32
