#include "platform/profile/Profile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/profile/PerUserStore.h"
#include "platform/profile/StaleTemporaries.h"
#include "platform/system/Paths.h"
#include "platform/system/Ascii.h"
#include "platform/system/Files.h"

namespace {

constexpr std::string_view kBlanks = " \t";
// Editors on the other system put a byte-order mark in front of UTF-8 files; without
// skipping it the first section of such a file would be lost.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Only ASCII letters fold: UTF-8 names are compared byte for byte otherwise, as the other
// system's ANSI functions did for characters outside the code page's letters.
bool SameName(std::string_view a, std::string_view b) { return platform::EqualsNoCase(a, b); }

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of a profile file as the lookups see it. The views point into the line's
// text, so a Line must not outlive a change to the lines it was made from.
struct Line {
  LineKind kind = LineKind::Other;
  std::string_view name;
  std::string_view value;
};

Line ParseLine(std::string_view text, bool firstLine) {
  if (firstLine && text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  const std::string_view t = Trim(text);
  if (t.empty()) {
    return {LineKind::Blank, {}, {}};
  }
  if (t.front() == ';') {
    return {LineKind::Comment, {}, {}};
  }
  if (t.front() == '[') {
    // A header without its closing bracket is taken for a damaged line rather than
    // a section, so that keys below it stay with the section they were in.
    const auto close = t.find(']');
    if (close == std::string_view::npos) {
      return {LineKind::Other, {}, {}};
    }
    return {LineKind::Section, Trim(t.substr(1, close - 1)), {}};
  }
  const auto equals = t.find('=');
  if (equals == std::string_view::npos) {
    return {LineKind::Other, {}, {}};
  }
  const std::string_view name = Trim(t.substr(0, equals));
  if (name.empty()) {
    return {LineKind::Other, {}, {}};
  }
  return {LineKind::Key, name, t.substr(equals + 1)};
}

std::vector<Line> ParseLines(const std::vector<std::string>& lines) {
  std::vector<Line> parsed;
  parsed.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    parsed.push_back(ParseLine(lines[i], i == 0));
  }
  return parsed;
}

// Files written on any system are read: CRLF, LF and a lone CR all end a line. A last
// line without an ending still counts.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    }
    start = i + 1;
  }
  if (start < text.size()) {
    lines.emplace_back(text.substr(start));
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string_view CleanValue(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

std::optional<std::size_t> FindSection(const std::vector<Line>& parsed, std::string_view name) {
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    if (parsed[i].kind == LineKind::Section && SameName(parsed[i].name, name)) {
      return i;
    }
  }
  return std::nullopt;
}

// The index one past the section's last line: the next header or the end of the file.
std::size_t SectionEnd(const std::vector<Line>& parsed, std::size_t header) {
  std::size_t i = header + 1;
  while (i < parsed.size() && parsed[i].kind != LineKind::Section) {
    ++i;
  }
  return i;
}

bool HasSlash(const char* name) { return std::strchr(name, '/') != nullptr; }

std::string ResolvePath(const char* fileName) {
  if (HasSlash(fileName)) {
    return fileName;
  }
  return WindowsDirectory() + "/" + fileName;
}

DWORD CopyText(std::string_view text, LPSTR buffer, DWORD size) {
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  // An empty view may carry no pointer at all, which memcpy must not be given.
  if (count > 0) {
    std::memcpy(buffer, text.data(), count);
  }
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

DWORD CopyNameList(const std::vector<std::string_view>& names, LPSTR buffer, DWORD size) {
  std::string list;
  for (const auto name : names) {
    list += name;
    list += '\0';
  }
  // A one-byte buffer cannot hold the double NUL; give it an empty text and report
  // nothing copied rather than the nSize - 2 that would wrap around.
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  if (list.size() + 1 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    // An empty list still ends in two NULs, so that callers walking it stop at once.
    buffer[std::min<std::size_t>(list.size() + 1, size - 1)] = '\0';
    return static_cast<DWORD>(list.size());
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

// Adds a name to a listing unless a name differing only in case is already there: only
// the first of such duplicates can be read, so only it is listed. Empty names are left
// out, as their lone NUL would end the list early for every reader.
void AddDistinctName(std::vector<std::string_view>& names, std::string_view name) {
  if (name.empty()) {
    return;
  }
  for (const auto known : names) {
    if (SameName(known, name)) {
      return;
    }
  }
  names.push_back(name);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Refuses what would not read back as it was written: a line break would split the line,
// and the other characters would turn a key into a comment, a header or another key.
bool IsWritable(std::string_view section, const char* key, const char* value) {
  if (HasLineBreak(section) || section.find(']') != std::string_view::npos) {
    return false;
  }
  if (key != nullptr) {
    const std::string_view name = Trim(key);
    if (name.empty() || HasLineBreak(name) || name.find('=') != std::string_view::npos || name.front() == ';' ||
        name.front() == '[') {
      return false;
    }
  }
  return value == nullptr || !HasLineBreak(value);
}

void DeleteSection(std::vector<std::string>& lines, std::string_view section) {
  // Every section of that name goes, so that the later duplicates, which were hidden
  // behind the first one, do not reappear in its place.
  const auto parsed = ParseLines(lines);
  for (std::size_t i = parsed.size(); i-- > 0;) {
    if (parsed[i].kind == LineKind::Section && SameName(parsed[i].name, section)) {
      const auto end = SectionEnd(parsed, i);
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.begin() + static_cast<std::ptrdiff_t>(end));
    }
  }
}

void DeleteKey(std::vector<std::string>& lines, std::string_view section, std::string_view key) {
  const auto parsed = ParseLines(lines);
  const auto header = FindSection(parsed, section);
  if (!header) {
    return;
  }
  // Duplicates of the key go too, for the same reason as duplicate sections.
  for (std::size_t i = SectionEnd(parsed, *header); i-- > *header + 1;) {
    if (parsed[i].kind == LineKind::Key && SameName(parsed[i].name, key)) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

void SetKey(std::vector<std::string>& lines, std::string_view section, std::string_view key, std::string_view value) {
  const auto parsed = ParseLines(lines);
  const auto header = FindSection(parsed, section);
  if (!header) {
    if (!lines.empty() && parsed.back().kind != LineKind::Blank) {
      lines.emplace_back();
    }
    // Built piece by piece: GCC 12 warns falsely about "[" + std::string(...).
    std::string headerLine = "[";
    headerLine.append(section).append("]");
    lines.push_back(std::move(headerLine));
    lines.push_back(std::string(key) + "=" + std::string(value));
    return;
  }
  const auto end = SectionEnd(parsed, *header);
  std::size_t lastKey = *header;
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (parsed[i].kind != LineKind::Key) {
      continue;
    }
    if (SameName(parsed[i].name, key)) {
      // The name is copied out before the line it points into is overwritten.
      lines[i] = std::string(parsed[i].name) + "=" + std::string(value);
      return;
    }
    lastKey = i;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastKey + 1), std::string(key) + "=" + std::string(value));
}

// Writes the new text beside the file and renames it over the old one, so that a crash or
// a full disk leaves either the old file or the new one, never a part of either.
bool ReplaceFile(const std::string& path, const std::string& text, const struct stat* old) {
  const std::string folder = platform::FolderOf(path);
  // The base name is shortened so that the temporary's longer name stays a legal one.
  const std::string base = path.substr(path.rfind('/') + 1).substr(0, 128);
  static std::atomic<unsigned> counter{0};
  const mode_t mode = old != nullptr ? (old->st_mode & 07777) : 0666;

  // Temporaries of writes that were killed half-way would otherwise stay for good.
  platform::profile::RemoveStaleTemporaries(folder, base);

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder + "/" + platform::profile::TemporaryName(base, ::getpid(), counter.fetch_add(1));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) {
      return false;
    }
  }
  if (fd < 0) {
    return false;
  }

  bool ok = platform::WriteAll(fd, text);
  if (ok && old != nullptr) {
    // A file we rewrite for its owner stays theirs; failing that (we are not root) it
    // is ours anyway. The mode is set after the owner, as a change of owner can clear
    // set-id bits, and explicitly, as the umask narrowed the one given to open.
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(fd, old->st_uid, old->st_gid);
    }
    ok = ::fchmod(fd, mode) == 0;
  }
  if (!platform::CommitFile(fd, ok, temp, path)) {
    return false;
  }
  // The rename itself is only durable once the folder is flushed; the file is already
  // complete either way, so a failure here does not undo the write.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

// A file beside a program installed where its user cannot write is written in the per-user
// store instead; false when that store cannot take it.
bool RedirectToPerUserStore(std::string& path) {
  const auto copy = platform::profile::PerUserCopyOf(path);
  if (!copy) {
    return true;
  }
  if (!platform::profile::PreparePerUserCopy(path, *copy)) {
    return false;
  }
  path = *copy;
  return true;
}

// The file a write goes to once links are followed, and what it was before (when it exists).
struct WriteTarget {
  std::string path;
  bool exists = false;
  struct stat st {};
};

// nullopt when the file or its folder may not be written.
std::optional<WriteTarget> CheckWriteTarget(const std::string& path) {
  WriteTarget target;
  target.path = path;
  target.exists = ::stat(path.c_str(), &target.st) == 0;
  if (target.exists) {
    // A file without any write bit is the read-only file of the other system, which
    // even its administrator could not change through these functions; root here
    // would pass access(), so the bits are checked as well.
    if (!S_ISREG(target.st.st_mode) || (target.st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
      return std::nullopt;
    }
    // Through a link the target is changed; renaming over the link would cut it.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
      return std::nullopt;
    }
    target.path = resolved;
    std::free(resolved);
  } else if (errno != ENOENT) {
    return std::nullopt;
  }

  const std::string folder = platform::FolderOf(target.path);
  struct stat folderStat {};
  if (::stat(folder.c_str(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode) ||
      ::access(folder.c_str(), W_OK | X_OK) != 0) {
    return std::nullopt;
  }
  return target;
}

// No key deletes the section, no value deletes the key, else the key takes the value.
void ApplyWrite(std::vector<std::string>& lines, std::string_view section, LPCSTR key, LPCSTR value) {
  if (key == nullptr) {
    DeleteSection(lines, section);
  } else if (value == nullptr) {
    DeleteKey(lines, section, Trim(key));
  } else {
    SetKey(lines, section, Trim(key), value);
  }
}

std::mutex& WriteMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName) {
  if (lpReturnedString == nullptr || nSize == 0) {
    return 0;
  }
  // A file that cannot be read, or no file name at all, reads like an empty file, so
  // callers get their defaults.
  std::string text;
  if (lpFileName == nullptr || *lpFileName == '\0' ||
      !platform::ReadRegularFile(platform::profile::ReadPathOf(ResolvePath(lpFileName)), text)) {
    text.clear();
  }
  const auto lines = SplitLines(text);
  const auto parsed = ParseLines(lines);

  if (lpAppName == nullptr) {
    std::vector<std::string_view> names;
    for (const auto& line : parsed) {
      if (line.kind == LineKind::Section) {
        AddDistinctName(names, line.name);
      }
    }
    return CopyNameList(names, lpReturnedString, nSize);
  }

  const auto header = FindSection(parsed, Trim(lpAppName));
  if (lpKeyName == nullptr) {
    std::vector<std::string_view> names;
    if (header) {
      const auto end = SectionEnd(parsed, *header);
      for (std::size_t i = *header + 1; i < end; ++i) {
        if (parsed[i].kind == LineKind::Key) {
          AddDistinctName(names, parsed[i].name);
        }
      }
    }
    return CopyNameList(names, lpReturnedString, nSize);
  }

  if (header) {
    const std::string_view key = Trim(lpKeyName);
    const auto end = SectionEnd(parsed, *header);
    for (std::size_t i = *header + 1; i < end; ++i) {
      if (parsed[i].kind == LineKind::Key && SameName(parsed[i].name, key)) {
        return CopyText(CleanValue(parsed[i].value), lpReturnedString, nSize);
      }
    }
  }

  std::string_view fallback = lpDefault != nullptr ? lpDefault : "";
  while (!fallback.empty() && fallback.back() == ' ') {
    fallback.remove_suffix(1);
  }
  return CopyText(fallback, lpReturnedString, nSize);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
  if (lpAppName == nullptr || lpFileName == nullptr || *lpFileName == '\0') {
    return FALSE;
  }
  const std::string_view section = Trim(lpAppName);
  if (!IsWritable(section, lpKeyName, lpString)) {
    return FALSE;
  }

  // Two threads changing the same file would otherwise each write back the text they
  // read, and one of the changes would be lost.
  std::lock_guard<std::mutex> lock(WriteMutex());

  // The other system's folder always exists; ours is made on first use so that a fresh
  // account can save its settings. A folder named by the caller is never made.
  if (!HasSlash(lpFileName)) {
    EnsureWindowsDirectory();
  }
  std::string path = ResolvePath(lpFileName);
  if (!RedirectToPerUserStore(path)) {
    return FALSE;
  }
  const std::optional<WriteTarget> target = CheckWriteTarget(path);
  if (!target) {
    return FALSE;
  }
  std::string original;
  if (target->exists && !platform::ReadRegularFile(target->path, original)) {
    return FALSE;
  }
  const auto before = SplitLines(original);
  auto lines = before;
  ApplyWrite(lines, section, lpKeyName, lpString);

  // Nothing to change (such as deleting what is not there, or setting the value a key
  // already has) leaves the file alone, line ends and all, and does not create it.
  if (lines == before) {
    return TRUE;
  }
  return ReplaceFile(target->path, JoinLines(lines), target->exists ? &target->st : nullptr) ? TRUE : FALSE;
}
