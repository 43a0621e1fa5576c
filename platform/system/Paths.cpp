#include "platform/system/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/Files.h"

namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

// Users often end these variables with a '/'; the folder is the same without it.
std::string_view WithoutTrailingSlashes(std::string_view dir) {
  while (!dir.empty() && dir.back() == '/') {
    dir.remove_suffix(1);
  }
  return dir;
}

}  // namespace

std::string WindowsDirectory() {
  if (auto own = Environment("PLUME_WINDOWS_DIR"); !own.empty()) {
    // Only a folder given as "/" is left empty by the stripping, and must stay "/".
    const auto dir = WithoutTrailingSlashes(own);
    return dir.empty() ? std::string("/") : std::string(dir);
  }
  if (auto xdg = Environment("XDG_CONFIG_HOME"); !xdg.empty() && xdg.front() == '/') {
    return std::string(WithoutTrailingSlashes(xdg)) + "/plume";
  }
  if (auto home = Environment("HOME"); !home.empty()) {
    return std::string(WithoutTrailingSlashes(home)) + "/.config/plume";
  }
  return "/tmp";
}

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  const std::string dir = WindowsDirectory();
  const auto length = static_cast<UINT>(dir.size());
  if (lpBuffer == nullptr || uSize <= length) {
    return length + 1;
  }
  std::memcpy(lpBuffer, dir.c_str(), dir.size() + 1);
  return length;
}

bool EnsureWindowsDirectory() { return platform::MakeFolderPath(WindowsDirectory()); }

std::string ModuleFileName() {
  // The link's length is not known in advance, so grow the buffer until the path fits
  // with room to spare; a full buffer may mean the path was cut.
  std::string path(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) {
      return {};
    }
    if (static_cast<std::size_t>(n) < path.size()) {
      path.resize(static_cast<std::size_t>(n));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

DWORD GetModuleFileNameA(void* hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule != nullptr || lpFilename == nullptr || nSize == 0) {
    return 0;
  }
  const std::string path = ModuleFileName();
  if (path.empty()) {
    return 0;
  }
  if (path.size() < nSize) {
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
  }
  std::memcpy(lpFilename, path.data(), nSize - 1);
  lpFilename[nSize - 1] = '\0';
  return nSize;
}
