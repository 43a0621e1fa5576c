#include "platform/profile/PerUserStore.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/profile/StaleTemporaries.h"
#include "platform/system/Paths.h"

namespace platform::profile {

namespace {

std::string FolderPart(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

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

bool MakeFolders(const std::string& dir) {
    for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(dir.c_str(), W_OK | X_OK) == 0;
}

bool ReadAll(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    char chunk[8192];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            return n == 0;
        }
        text.append(chunk, static_cast<std::size_t>(n));
    }
}

// A copy written beside its final place and renamed into it, so that a run killed during
// the first write leaves no half copy that later reads would take for the settings.
bool WriteNewFile(const std::string& path, const std::string& text) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderPart(path);
    const std::string temp = folder + "/" + TemporaryName(NamePart(path), ::getpid(), counter++);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    for (std::string_view rest = text; ok && !rest.empty();) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        if (ok) {
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
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
    if (Canonical(FolderPart(path)) != programFolder) {
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
    const std::string programFolder = Canonical(FolderPart(module));
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
    if (!MakeFolders(FolderPart(copy))) {
        return false;
    }
    struct stat st {};
    if (::stat(copy.c_str(), &st) == 0) {
        return true;
    }
    std::string text;
    if (!ReadAll(original, text)) {
        // Nothing beside the program yet: the write makes the copy from nothing.
        return true;
    }
    return WriteNewFile(copy, text);
}

}  // namespace platform::profile
