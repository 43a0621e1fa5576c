// The platform's own path helpers over the system's functions. GetWindowsDirectoryA and
// GetModuleFileNameA themselves are the system's on Windows.
#include <string>
#include <vector>

#include "platform/system/Paths.h"

std::string WindowsDirectory() {
  const UINT needed = GetWindowsDirectoryA(nullptr, 0);
  if (needed == 0) return {};
  std::string dir(needed, '\0');
  const UINT n = GetWindowsDirectoryA(dir.data(), needed);
  dir.resize(n < needed ? n : 0);
  return dir;
}

// The system folder is there from the system's installation on.
bool EnsureWindowsDirectory() { return !WindowsDirectory().empty(); }

std::string ModuleFileName() {
  // The system's answer is cut short without saying so other than by filling the buffer.
  std::vector<char> buffer(260);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}
