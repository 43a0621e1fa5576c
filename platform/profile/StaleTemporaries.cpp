#include "platform/profile/StaleTemporaries.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <string_view>
#include <unistd.h>

namespace platform::profile {

namespace {

constexpr std::string_view kSuffix = ".tmp";

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 18) {
    return false;
  }
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

// The writer's process id when `name` is a temporary of `base`, else 0.
long WriterOf(std::string_view name, const std::string& base) {
  const std::string prefix = "." + base + ".";
  if (!name.starts_with(prefix) || !name.ends_with(kSuffix)) {
    return 0;
  }
  name.remove_prefix(prefix.size());
  name.remove_suffix(kSuffix.size());
  const auto dot = name.find('.');
  if (dot == std::string_view::npos || !AllDigits(name.substr(0, dot)) || !AllDigits(name.substr(dot + 1))) {
    return 0;
  }
  long pid = 0;
  for (const char c : name.substr(0, dot)) {
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// A process of another user answers EPERM and is running all the same.
bool Runs(long pid) {
  if (pid <= 0 || pid > 0x3fffffff) {
    return false;
  }
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

}  // namespace

std::string TemporaryName(const std::string& base, long pid, unsigned n) {
  return "." + base + "." + std::to_string(pid) + "." + std::to_string(n) + std::string(kSuffix);
}

int RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const long pid = WriterOf(entry->d_name, base);
    // Our own temporaries may belong to a write in progress on another thread.
    if (pid == 0 || pid == ::getpid() || Runs(pid)) {
      continue;
    }
    if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) {
      ++removed;
    }
  }
  ::closedir(dir);
  return removed;
}

}  // namespace platform::profile
