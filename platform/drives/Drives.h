// Drive enumeration with the original system's calls, answered from the drive table.
#pragma once

#include "platform/WinTypes.h"

#ifdef _WIN32
// The system's letters and, after them, the drive table's simulated and image drives.
#define GetLogicalDriveStringsA(...) PLUME_HOOK(GetLogicalDriveStringsA)(__VA_ARGS__)
#define GetDriveTypeA(...) PLUME_HOOK(GetDriveTypeA)(__VA_ARGS__)
#else
constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;
#endif

// Writes "C:\", "D:\", ... each followed by a NUL, and a final NUL. Returns the number of
// characters written without the final NUL; when the buffer is too small it writes nothing
// and returns the size needed, final NUL included.
DWORD GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer);

// The type of the drive named by a root such as "D:\" (or "D:"); DRIVE_NO_ROOT_DIR for a
// letter with no drive, DRIVE_UNKNOWN for a name that is no drive root.
UINT GetDriveTypeA(LPCSTR lpRootPathName);
