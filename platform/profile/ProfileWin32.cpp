// Profile files on Windows are the system's; the platform only decides where a file really
// lives, by the per-user store's rule.
#include <string>

#include "platform/profile/PerUserStore.h"
#include "platform/profile/Profile.h"

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName) {
  std::string path;
  if (lpFileName != nullptr) path = platform::profile::ReadPathOf(lpFileName);
  return (::GetPrivateProfileStringA)(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize,
                                      lpFileName != nullptr ? path.c_str() : nullptr);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
  if (lpFileName == nullptr) return (::WritePrivateProfileStringA)(lpAppName, lpKeyName, lpString, lpFileName);
  std::string path = lpFileName;
  if (const auto copy = platform::profile::PerUserCopyOf(path)) {
    if (!platform::profile::PreparePerUserCopy(path, *copy)) return FALSE;
    path = *copy;
  }
  return (::WritePrivateProfileStringA)(lpAppName, lpKeyName, lpString, path.c_str());
}
