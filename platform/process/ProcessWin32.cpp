// Process start on Windows: the system's own, with the volume program's old name mapped to
// the one current systems have.
#include <cctype>
#include <string>

#include "platform/process/Process.h"

namespace {

// Whether the first word of a command line names the old volume program, in any case,
// with or without a folder and ".exe".
bool NamesOldVolumeProgram(const std::string& commandLine) {
  std::string word = commandLine.substr(0, commandLine.find_first_of(" \t"));
  if (!word.empty() && word.front() == '"') word = word.substr(1, word.find('"', 1) - 1);
  word = word.substr(word.find_last_of("\\/:") + 1);
  for (auto& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word == "sndvol32" || word == "sndvol32.exe";
}

}  // namespace

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, void* processAttributes,
                    void* threadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags, void* lpEnvironment,
                    LPCSTR lpCurrentDirectory, STARTUPINFOA* lpStartupInfo,
                    PROCESS_INFORMATION* lpProcessInformation) {
  auto* lpProcessAttributes = static_cast<LPSECURITY_ATTRIBUTES>(processAttributes);
  auto* lpThreadAttributes = static_cast<LPSECURITY_ATTRIBUTES>(threadAttributes);
  if (lpApplicationName == nullptr && lpCommandLine != nullptr && NamesOldVolumeProgram(lpCommandLine)) {
    char volume[] = "SndVol.exe";
    return (::CreateProcessA)(nullptr, volume, lpProcessAttributes, lpThreadAttributes, bInheritHandles,
                              dwCreationFlags, lpEnvironment, lpCurrentDirectory, lpStartupInfo,
                              lpProcessInformation);
  }
  return (::CreateProcessA)(lpApplicationName, lpCommandLine, lpProcessAttributes, lpThreadAttributes,
                            bInheritHandles, dwCreationFlags, lpEnvironment, lpCurrentDirectory, lpStartupInfo,
                            lpProcessInformation);
}
