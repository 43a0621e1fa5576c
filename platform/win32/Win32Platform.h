// Puts the system's event loop and windowing backend in force for the running program.
#pragma once

namespace platform::win32 {

// Call once, before any window is made.
void InstallWin32Platform();

}  // namespace platform::win32
