// The per-user store on Windows: %LOCALAPPDATA%\plume. An installed program's folder is not
// writable by its users, and a program whose manifest asks for no elevation gets no
// redirection from the system, so the rule of the other target applies here too.
#include <cstdlib>
#include <cwctype>

#include "platform/WinTypes.h"
#include "platform/profile/PerUserStore.h"
#include "platform/system/Paths.h"

namespace platform::profile {

namespace {

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("\\/"); }

std::string FolderPart(const std::string& path) {
  const auto at = LastSeparator(path);
  return at == std::string::npos ? std::string(".") : path.substr(0, at);
}

std::wstring WidePath(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
  out.resize(out.size() - 1);
  return out;
}

// The folder's full name in one spelling (separators, "." and ".." resolved, one case), so
// that the program's folder is recognised however a path names it; empty when it is none.
std::wstring Canonical(const std::string& folder) {
  const std::wstring wide = WidePath(folder);
  wchar_t full[1024];
  const DWORD n = GetFullPathNameW(wide.c_str(), 1024, full, nullptr);
  if (n == 0 || n >= 1024) return {};
  std::wstring out(full, n);
  while (out.size() > 3 && (out.back() == L'\\' || out.back() == L'/')) out.pop_back();
  for (auto& c : out) c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
  const DWORD attributes = GetFileAttributesW(out.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return out;
}

bool Exists(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether a file can be made in the folder: the only answer the system's access lists give
// for sure is to try.
bool FolderWritable(const std::string& folder) {
  const std::wstring probe = WidePath(folder) + L"\\plume-write-probe.tmp";
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
  CloseHandle(h);
  return true;
}

}  // namespace

std::optional<std::string> RedirectedPath(const std::string& path, const std::string& programFolder,
                                          bool programFolderWritable, const std::string& userStore) {
  if (programFolderWritable || userStore.empty() || programFolder.empty()) return std::nullopt;
  const auto at = LastSeparator(path);
  if (at == std::string::npos || at + 1 == path.size()) return std::nullopt;
  const std::wstring folder = Canonical(FolderPart(path));
  if (folder.empty() || folder != Canonical(programFolder)) return std::nullopt;
  std::string store = userStore;
  while (!store.empty() && (store.back() == '\\' || store.back() == '/')) store.pop_back();
  return store + "\\" + path.substr(at + 1);
}

std::string PerUserStore() {
  const char* local = std::getenv("LOCALAPPDATA");
  if (local == nullptr || *local == '\0') return {};
  std::string store = local;
  while (!store.empty() && (store.back() == '\\' || store.back() == '/')) store.pop_back();
  return store + "\\plume";
}

std::optional<std::string> PerUserCopyOf(const std::string& path) {
  const std::string module = ModuleFileName();
  if (module.empty()) return std::nullopt;
  const std::string programFolder = FolderPart(module);
  return RedirectedPath(path, programFolder, FolderWritable(programFolder), PerUserStore());
}

std::string ReadPathOf(const std::string& path) {
  const auto copy = PerUserCopyOf(path);
  return copy && Exists(*copy) ? *copy : path;
}

bool PreparePerUserCopy(const std::string& original, const std::string& copy) {
  const std::wstring folder = WidePath(FolderPart(copy));
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  if (Exists(copy)) return true;
  // Nothing beside the program yet: the write makes the copy from nothing. Otherwise the
  // copy starts as the file beside the program, so a write changes one key and keeps the rest.
  if (!Exists(original)) return true;
  return CopyFileW(WidePath(original).c_str(), WidePath(copy).c_str(), TRUE) != 0;
}

}  // namespace platform::profile
