// Starting other programs, as the original system's process calls do it. The player uses
// this for one thing: its volume button starts the system's volume program by name, and
// on our desktops that name stands for whichever sound mixer the desktop has.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

#ifdef _WIN32
// The system starts programs; the platform only names its volume program as it is called
// since Vista (SndVol.exe, no longer Sndvol32.exe).
#define CreateProcessA(...) PLUME_HOOK(CreateProcessA)(__VA_ARGS__)

namespace platform::process {

// The command line the system is given for one of the program's: the old volume program
// (any case, with or without a folder and ".exe", quoted or not) becomes SndVol.exe with the
// same arguments; anything else is passed on as it is.
std::string SystemCommandLine(const std::string& commandLine);

}  // namespace platform::process
#else
// The records keep the original layout and field names, so that code filling them reads as
// it does there. HANDLE fields are plain pointers: our handles are opaque values.
struct STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  BYTE* lpReserved2;
  void* hStdInput;
  void* hStdOutput;
  void* hStdError;
};

struct PROCESS_INFORMATION {
  void* hProcess;
  void* hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};

constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;
constexpr DWORD STARTF_USESTDHANDLES = 0x00000100;

#endif

#ifndef _WIN32
// Fills the record the way this program was started: cb set, lpTitle the executable's
// path, every other field zero. The title stays valid for the life of the program.
void GetStartupInfoA(STARTUPINFOA* lpStartupInfo);
#endif

// Starts a program and returns at once; TRUE when it started, FALSE when the program could
// not be found or started (nothing else happens then).
//
// lpApplicationName, when given, is the program's path (no search); otherwise the first
// word of lpCommandLine names the program and is looked for on PATH as it is at the call.
// Words are split as the original system's programs split them (see SplitCommandLine).
// lpEnvironment, when given, is a block of "name=value" strings, each ended by a NUL, the
// whole ended by one more. lpCurrentDirectory, when given, is where the program starts.
//
// The volume program "Sndvol32.exe" (any case, with or without ".exe", with or without a
// folder) starts the desktop's own mixer instead, the first one found of those the
// platform knows; its own options mean nothing to those mixers and are dropped.
//
// Programs started here live on their own: a session of their own, standard input and
// output on /dev/null, no other open files, and they never linger as zombies when they
// end. Security attributes, bInheritHandles, dwCreationFlags and the start-up record are
// accepted and have no effect: there are no handles to inherit, and no console or window
// placement to pass on. The process and thread handles returned are opaque values that
// need no closing; the ids are the program's process id (which is also its first
// thread's).
BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, void* lpProcessAttributes, void* lpThreadAttributes,
                    BOOL bInheritHandles, DWORD dwCreationFlags, void* lpEnvironment, LPCSTR lpCurrentDirectory,
                    STARTUPINFOA* lpStartupInfo, PROCESS_INFORMATION* lpProcessInformation);

#ifndef _WIN32
namespace platform::process {

// Splits a command line into words by the original system's rules: spaces and tabs
// separate words; double quotes group, and may start or end inside a word; inside quotes,
// two double quotes make one literal quote; 2n backslashes before a quote make n
// backslashes and the quote does its work, 2n+1 make n backslashes and a literal quote;
// backslashes anywhere else are themselves.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The mixers tried for the volume program, in order; each is a program and its arguments.
const std::vector<std::vector<std::string>>& DesktopMixers();

// Whether a program word names the original system's volume program.
bool IsVolumeProgram(std::string_view program);

}  // namespace platform::process
#endif
