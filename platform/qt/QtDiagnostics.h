// Ways for tools outside the program to see what it shows, without an accessibility layer:
//   PLUME_UI_DUMP=<file>       the widgets of every window, written to the file whenever
//                              they change (one line per named widget, and one per
//                              message box), so end-to-end tests can read texts and lists;
//   PLUME_REPORT_FIRST_PAINT=1 one line on standard error when the first window is first
//                              painted, with the wall-clock time in nanoseconds, for the
//                              start-up benchmark.
#pragma once

namespace platform::qt {

// Starts whatever the environment asks for; does nothing otherwise.
void StartDiagnostics();

}  // namespace platform::qt
