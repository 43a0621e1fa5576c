#include "platform/drives/Drives.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/drives/DriveTable.h"
#include "platform/system/Ascii.h"

DWORD GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer) {
  const auto& entries = platform::DriveTable::Instance().Entries();
  const DWORD needed = static_cast<DWORD>(entries.size() * 4);
  if (lpBuffer == nullptr || nBufferLength < needed + 1) return needed + 1;
  // In alphabetical order, as the system lists them (its own letters need not be in a row,
  // and the table's drives fill the gaps).
  std::vector<char> letters;
  for (const auto& e : entries) letters.push_back(e.letter);
  std::sort(letters.begin(), letters.end());
  char* out = lpBuffer;
  for (const char letter : letters) {
    *out++ = letter;
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
#ifdef _WIN32
  // The system answers for its own drives (a network drive mapped since, a stick).
  if (entry == nullptr || entry->driver == nullptr) return (::GetDriveTypeA)(lpRootPathName);
#endif
  return entry ? entry->type : DRIVE_NO_ROOT_DIR;
}
