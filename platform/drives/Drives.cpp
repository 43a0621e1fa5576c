#include "platform/drives/Drives.h"

#include <cstring>

#include "platform/drives/DriveTable.h"
#include "platform/system/Ascii.h"

DWORD GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer) {
  const auto& entries = platform::DriveTable::Instance().Entries();
  const DWORD needed = static_cast<DWORD>(entries.size() * 4);
  if (lpBuffer == nullptr || nBufferLength < needed + 1) return needed + 1;
  char* out = lpBuffer;
  for (const auto& e : entries) {
    *out++ = e.letter;
    *out++ = ':';
    *out++ = '\\';
    *out++ = '\0';
  }
  *out = '\0';
  return needed;
}

UINT GetDriveTypeA(LPCSTR lpRootPathName) {
  if (lpRootPathName == nullptr) return DRIVE_NO_ROOT_DIR;
  const std::size_t n = std::strlen(lpRootPathName);
  const bool root = (n == 2 || (n == 3 && (lpRootPathName[2] == '\\' || lpRootPathName[2] == '/'))) &&
                    platform::IsAsciiLetter(lpRootPathName[0]) && lpRootPathName[1] == ':';
  if (!root) return DRIVE_UNKNOWN;
  const char letter = platform::AsciiUpper(lpRootPathName[0]);
  const auto* entry = platform::DriveTable::Instance().Find(letter);
  return entry ? entry->type : DRIVE_NO_ROOT_DIR;
}
