#include "platform/process/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/system/Paths.h"
#include "platform/system/Ascii.h"

extern char** environ;

namespace {

// A started program needs somebody to collect its exit status, or it stays a zombie for
// as long as the player runs. A small detached thread waits for exactly that one process,
// so nothing else in the program (Qt included) has its own children taken away.
void ReapWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // Out of threads: the program has started all the same, and only lingers as a zombie
    // once it ends, until the player does. Not worth failing the start for.
  }
}

// Relative paths mean the caller's current folder, as on the original system, even when
// the program is asked to start in another one.
std::string Absolute(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::string cwd(256, '\0');
  while (::getcwd(cwd.data(), cwd.size()) == nullptr) {
    if (errno != ERANGE) return path;
    cwd.resize(cwd.size() * 2);
  }
  cwd.resize(std::strlen(cwd.c_str()));
  return cwd + "/" + path;
}

// Owns the spawn attributes and file actions, which must be destroyed however we leave.
class SpawnSetup {
 public:
  explicit SpawnSetup(const char* directory) {
    ::posix_spawnattr_init(&attr_);
    ::posix_spawn_file_actions_init(&actions_);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    // A session of its own: closing the terminal the player was started from, or the
    // player's own end, does not take the mixer with it.
    flags |= POSIX_SPAWN_SETSID;
#else
    flags |= POSIX_SPAWN_SETPGROUP;
#endif
    ::posix_spawnattr_setflags(&attr_, flags);
    // The player's threads may block or ignore signals; the new program starts clean.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attr_, &none);
    ::posix_spawnattr_setsigdefault(&attr_, &all);

    // Our output is not the started program's business, nor is any file we hold open.
    ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions_, 1, 2);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 34)
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
#endif
    if (directory != nullptr) ::posix_spawn_file_actions_addchdir_np(&actions_, directory);
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // Starts argv with program as the file to run (searched on PATH when search is set);
  // returns the pid, or 0 when it could not be started.
  pid_t Start(const std::string& program, bool search, const std::vector<std::string>& argv, char** envp) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    // glibc's spawn reports a failed exec (no such program, not executable) as its result,
    // which is what lets us answer FALSE at once instead of after the fact.
    const int rc = search ? ::posix_spawnp(&pid, program.c_str(), &actions_, &attr_, args.data(), envp)
                          : ::posix_spawn(&pid, program.c_str(), &actions_, &attr_, args.data(), envp);
    if (rc != 0) return 0;
    ReapWhenDone(pid);
    return pid;
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

// The block of "name=value\0" strings ends with an empty one.
std::vector<char*> EnvironmentFromBlock(void* block) {
  std::vector<char*> out;
  for (char* p = static_cast<char*>(block); *p != '\0'; p += std::strlen(p) + 1) out.push_back(p);
  out.push_back(nullptr);
  return out;
}

}  // namespace

namespace platform::process {

std::vector<std::string> SplitCommandLine(std::string_view s) {
  std::vector<std::string> words;
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  for (;;) {
    while (i < n && blank(s[i])) ++i;
    if (i == n) break;
    std::string word;
    bool quoted = false;
    while (i < n && (quoted || !blank(s[i]))) {
      if (s[i] == '\\') {
        std::size_t count = 0;
        while (i < n && s[i] == '\\') {
          ++count;
          ++i;
        }
        if (i < n && s[i] == '"') {
          word.append(count / 2, '\\');
          if (count % 2 == 1) {
            word += '"';
            ++i;
          }
        } else {
          word.append(count, '\\');
        }
      } else if (s[i] == '"') {
        if (quoted && i + 1 < n && s[i + 1] == '"') {
          word += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        word += s[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

const std::vector<std::vector<std::string>>& DesktopMixers() {
  // Graphical mixers only, the desktops' own first: a terminal mixer such as alsamixer
  // would start with nowhere to show itself.
  static const std::vector<std::vector<std::string>> mixers = {
      {"pavucontrol"}, {"pwvucontrol"},         {"gnome-control-center", "sound"},
      {"kmix"},        {"mate-volume-control"}, {"xfce4-mixer"},
  };
  return mixers;
}

bool IsVolumeProgram(std::string_view program) {
  const std::size_t slash = program.find_last_of("/\\");
  if (slash != std::string_view::npos) program.remove_prefix(slash + 1);
  std::string name = AsciiLower(program);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0) name.resize(name.size() - 4);
  return name == "sndvol32";
}

}  // namespace platform::process

void GetStartupInfoA(STARTUPINFOA* lpStartupInfo) {
  if (lpStartupInfo == nullptr) return;
  static std::string title = ModuleFileName();
  *lpStartupInfo = STARTUPINFOA{};
  lpStartupInfo->cb = sizeof(STARTUPINFOA);
  lpStartupInfo->lpTitle = title.data();
}

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, void* /*lpProcessAttributes*/,
                    void* /*lpThreadAttributes*/, BOOL /*bInheritHandles*/, DWORD /*dwCreationFlags*/,
                    void* lpEnvironment, LPCSTR lpCurrentDirectory, STARTUPINFOA* /*lpStartupInfo*/,
                    PROCESS_INFORMATION* lpProcessInformation) {
  using namespace platform::process;
  std::vector<std::string> argv;
  if (lpCommandLine != nullptr) argv = SplitCommandLine(lpCommandLine);
  const bool named = lpApplicationName != nullptr && *lpApplicationName != '\0';
  if (named && argv.empty()) argv.emplace_back(lpApplicationName);
  if (argv.empty()) return FALSE;
  const std::string program = named ? std::string(lpApplicationName) : argv.front();

  std::vector<char*> ownEnvironment;
  char** envp = environ;
  if (lpEnvironment != nullptr) {
    ownEnvironment = EnvironmentFromBlock(lpEnvironment);
    envp = ownEnvironment.data();
  }
  SpawnSetup setup(lpCurrentDirectory);

  pid_t pid = 0;
  if (IsVolumeProgram(program)) {
    for (const auto& mixer : DesktopMixers()) {
      pid = setup.Start(mixer.front(), true, mixer, envp);
      if (pid != 0) break;
    }
  } else if (named) {
    pid = setup.Start(Absolute(program), false, argv, envp);
  } else {
    // A word with a folder in it is a path and is not searched for.
    const bool path = program.find('/') != std::string::npos;
    pid = setup.Start(path ? Absolute(program) : program, !path, argv, envp);
  }
  if (pid == 0) return FALSE;

  if (lpProcessInformation != nullptr) {
    const auto id = static_cast<DWORD>(pid);
    lpProcessInformation->hProcess = reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
    lpProcessInformation->hThread = reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
    lpProcessInformation->dwProcessId = id;
    lpProcessInformation->dwThreadId = id;
  }
  return TRUE;
}
