#include "platform/profile/PerUserStore.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/profile/StaleTemporaries.h"
#include "platform/system/Files.h"
#include "platform/system/Paths.h"

namespace platform::profile {

namespace {

std::string NamePart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The folder with links and "." or ".." resolved, so that the program's folder is recognised
// under any of its spellings; empty when it does not exist.
std::string Canonical(const std::string& folder) {
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (resolved == nullptr) {
    return {};
  }
  std::string result = resolved;
  std::free(resolved);
  return result;
}

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

std::string WithoutTrailingSlashes(std::string_view dir) {
  while (dir.size() > 1 && dir.back() == '/') {
    dir.remove_suffix(1);
  }
  return std::string(dir);
}

// The store's folders are made on first use; a folder the user cannot write is no store.
bool MakeFolders(const std::string& dir) { return MakeFolderPath(dir) && ::access(dir.c_str(), W_OK | X_OK) == 0; }

// A copy written beside its final place and renamed into it, so that a run killed during
// the first write leaves no half copy that later reads would take for the settings.
bool WriteNewFile(const std::string& path, const std::string& text) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = FolderOf(path);
  const std::string temp = folder + "/" + TemporaryName(NamePart(path), ::getpid(), counter++);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return false;
  }
  return CommitFile(fd, WriteAll(fd, text), temp, path);
}

}  // namespace

std::optional<std::string> RedirectedPath(const std::string& path, const std::string& programFolder,
                                          bool programFolderWritable, const std::string& userStore) {
  if (programFolderWritable || userStore.empty() || programFolder.empty()) {
    return std::nullopt;
  }
  const auto slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size()) {
    return std::nullopt;
  }
  if (Canonical(FolderOf(path)) != programFolder) {
    return std::nullopt;
  }
  return WithoutTrailingSlashes(userStore) + "/" + NamePart(path);
}

std::string PerUserStore() {
  if (auto xdg = Environment("XDG_CONFIG_HOME"); !xdg.empty() && xdg.front() == '/') {
    return WithoutTrailingSlashes(xdg) + "/plume";
  }
  if (auto home = Environment("HOME"); !home.empty() && home.front() == '/') {
    return WithoutTrailingSlashes(home) + "/.config/plume";
  }
  return {};
}

std::optional<std::string> PerUserCopyOf(const std::string& path) {
  const std::string module = ModuleFileName();
  if (module.empty()) {
    return std::nullopt;
  }
  const std::string programFolder = Canonical(FolderOf(module));
  // Root passes access() everywhere, so an installed program run by root keeps writing
  // beside itself, as the original system's administrator did.
  const bool writable = ::access(programFolder.c_str(), W_OK | X_OK) == 0;
  return RedirectedPath(path, programFolder, writable, PerUserStore());
}

std::string ReadPathOf(const std::string& path) {
  const auto copy = PerUserCopyOf(path);
  struct stat st {};
  if (copy && ::stat(copy->c_str(), &st) == 0) {
    return *copy;
  }
  return path;
}

bool PreparePerUserCopy(const std::string& original, const std::string& copy) {
  if (!MakeFolders(FolderOf(copy))) {
    return false;
  }
  struct stat st {};
  if (::stat(copy.c_str(), &st) == 0) {
    return true;
  }
  std::string text;
  if (!ReadRegularFile(original, text)) {
    // Nothing beside the program yet: the write makes the copy from nothing.
    return true;
  }
  return WriteNewFile(copy, text);
}

}  // namespace platform::profile
