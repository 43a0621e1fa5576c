// Process start on Windows: the system's own, with the volume program's old name mapped to
// the one current systems have.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/process/Process.h"

namespace platform::process {

std::string SystemCommandLine(const std::string& commandLine) {
  // The program is the first word, or the quoted text at the start.
  std::size_t end = 0;
  std::string word;
  if (!commandLine.empty() && commandLine.front() == '"') {
    end = commandLine.find('"', 1);
    if (end == std::string::npos) return commandLine;
    word = commandLine.substr(1, end - 1);
    ++end;
  } else {
    end = std::min(commandLine.find_first_of(" \t"), commandLine.size());
    word = commandLine.substr(0, end);
  }
  std::string name = word.substr(word.find_last_of("\\/:") + 1);
  for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name != "sndvol32" && name != "sndvol32.exe") return commandLine;
  return "SndVol.exe" + commandLine.substr(end);
}

}  // namespace platform::process

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, void* processAttributes, void* threadAttributes,
                    BOOL bInheritHandles, DWORD dwCreationFlags, void* lpEnvironment, LPCSTR lpCurrentDirectory,
                    STARTUPINFOA* lpStartupInfo, PROCESS_INFORMATION* lpProcessInformation) {
  auto* lpProcessAttributes = static_cast<LPSECURITY_ATTRIBUTES>(processAttributes);
  auto* lpThreadAttributes = static_cast<LPSECURITY_ATTRIBUTES>(threadAttributes);
  // The system may write into the command line, so it gets a buffer of its own.
  std::vector<char> line;
  if (lpApplicationName == nullptr && lpCommandLine != nullptr) {
    const std::string mapped = platform::process::SystemCommandLine(lpCommandLine);
    line.assign(mapped.begin(), mapped.end());
    line.push_back('\0');
    lpCommandLine = line.data();
  }
  return (::CreateProcessA)(lpApplicationName, lpCommandLine, lpProcessAttributes, lpThreadAttributes, bInheritHandles,
                            dwCreationFlags, lpEnvironment, lpCurrentDirectory, lpStartupInfo, lpProcessInformation);
}
