// A private folder for the targets that work on files, in memory where the system offers
// it, so that the many small writes of a run cost no disk.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline const std::string& FuzzTempDir() {
  static const std::string dir = [] {
    const char* base =
        ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    std::string pattern = std::string(base) + "/plume-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    return pattern;
  }();
  return dir;
}

// Replaces a file whole, as the scripts that steer the program do.
inline void ReplaceFileWith(const std::string& path, const std::string& text) {
  const std::string temp = path + ".in";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0 ||
      std::rename(temp.c_str(), path.c_str()) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
}
