// Where the platform keeps its own files and where the running program lives.
// The original system has a fixed system folder for profile files; ours is chosen from the
// environment so that every user (and every test) gets a folder of its own.
#pragma once

#include <string>

#include "platform/WinTypes.h"

#ifndef _WIN32
// Copies the system folder (no trailing '/') with its NUL and returns its length without
// the NUL. When lpBuffer is null or uSize is too small, nothing is written and the size
// needed, NUL included, is returned. The folder is PLUME_WINDOWS_DIR when set and not
// empty, else $XDG_CONFIG_HOME/plume (only an absolute XDG_CONFIG_HOME counts, as the
// base-directory rules ask), else $HOME/.config/plume, else /tmp.
UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize);
#endif

// The same folder as a string, for platform code that has no reason to size a buffer.
std::string WindowsDirectory();

// Creates the system folder and any missing parents (new ones private to the user).
// The original system's folder always exists; ours may not yet on a fresh account.
bool EnsureWindowsDirectory();

#ifndef _WIN32
// hModule must be nullptr, meaning the running executable; anything else returns 0.
// Copies the executable's full path and returns its length without the NUL. When the path
// does not fit, nSize - 1 characters and a NUL are copied and nSize is returned.
// Returns 0 for a null buffer, nSize 0, or when the path cannot be found.
DWORD GetModuleFileNameA(void* hModule, LPSTR lpFilename, DWORD nSize);
#endif

// The executable's full path with no length limit; empty when it cannot be found.
std::string ModuleFileName();
