// Profile files: the INI files in which the program keeps its settings.
// Texts are bytes (the program passes UTF-8) and are never converted.
#pragma once

#include "platform/WinTypes.h"

#ifdef _WIN32
// The system's functions, on the file the per-user store's rule picks (see PerUserStore.h).
#define GetPrivateProfileStringA(...) PLUME_HOOK(GetPrivateProfileStringA)(__VA_ARGS__)
#define WritePrivateProfileStringA(...) PLUME_HOOK(WritePrivateProfileStringA)(__VA_ARGS__)
#endif

// Reads one value, or lists names when lpKeyName or lpAppName is null.
//
// Section and key names match without regard to ASCII case, and only the first of
// duplicate sections and the first of duplicate keys count. The value loses blanks and
// tabs at both ends and then one pair of matching enclosing quotes (' or "). A missing
// file, section or key gives lpDefault without its trailing blanks (null means empty);
// "key=" gives the empty text. The result is cut to nSize - 1 characters, always ends
// in a NUL, and the return value is the number of characters copied.
//
// With a null lpKeyName the key names of the section are listed, and with a null
// lpAppName the section names of the file, each ending in a NUL, with one more NUL after
// the last. The return value leaves out that final NUL; a list that does not fit is cut,
// still ends in two NULs, and nSize - 2 is returned.
//
// A null buffer or an nSize of 0 returns 0. A file name without a '/' is looked up in
// the system folder (GetWindowsDirectoryA).
DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName);

// Sets a key to lpString, creating the file and the section as needed. A null lpString
// deletes the key, and a null lpKeyName deletes the whole section.
//
// Every other line of the file is kept as it was, and every line is written with CRLF.
// A key that exists is replaced in its own line under its own spelling; a new key goes
// right after the last key line of its section (or right after the header of a section
// with no keys), so that blank lines and comments closing the section stay below it. A
// new section goes at the end of the file, after one blank line when the file has text
// and does not already end in a blank line.
//
// The file is replaced as a whole by a fully written copy, so a failure leaves the old
// file as it was. Returns FALSE, writing nothing, for a null section or file name, when
// the folder is missing or cannot be written, and when the file is read-only. Names and
// values that would not read back as given are refused the same way: any of them
// holding a line break, an empty key name, a key name holding '=' or starting with ';'
// or '[', and a section name holding ']'.
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);
