// Drive enumeration with the original system's calls, answered from the drive table.
#pragma once

#include "platform/WinTypes.h"

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

// Writes "C:\", "D:\", ... each followed by a NUL, and a final NUL. Returns the number of
// characters written without the final NUL; when the buffer is too small it writes nothing
// and returns the size needed, final NUL included.
DWORD GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer);

// The type of the drive named by a root such as "D:\" (or "D:"); DRIVE_NO_ROOT_DIR for a
// letter with no drive, DRIVE_UNKNOWN for a name that is no drive root.
UINT GetDriveTypeA(LPCSTR lpRootPathName);
