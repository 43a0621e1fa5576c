// Puts the Qt event loop and windowing backend in force for the running program.
#pragma once

namespace platform::qt {

// Call once the QApplication exists and before any window is made. Also stops Qt from
// ending the loop when the last window closes: the program decides when it ends.
void InstallQtPlatform();

}  // namespace platform::qt
