// The profile reader and writer. The input is the file's text, optionally followed by NUL
// and the section, NUL and the key, NUL and the value to write (a key or value of "\x01"
// stands for a null pointer: delete the section, or the key). After the write:
// - a refused write leaves the file byte for byte as it was;
// - a value set reads back (without enclosing blanks and one pair of quotes, as the reader
//   gives every value), and a deleted key or section reads as missing;
// - every other key of the file reads as before, and no other key appears;
// - the lines of the file are those it had, but for the one line set (or the lines added
//   for a new key or section) or the lines deleted.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile/Profile.h"
#include "tests/fuzz/FuzzTempDir.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

std::string Fold(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// What a reader gets for a value written as given.
std::string ReadsAs(std::string_view value) {
  std::string v = Trim(value);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

std::vector<std::string> Names(const char* section, const std::string& path, std::size_t room) {
  std::vector<char> buffer(room + 2);
  const DWORD n = GetPrivateProfileStringA(section, nullptr, nullptr, buffer.data(), static_cast<DWORD>(buffer.size()),
                                           path.c_str());
  if (n + 2 > buffer.size()) std::abort();  // the listing must fit a buffer as large as the file
  std::vector<std::string> names;
  for (std::size_t at = 0; at < n;) {
    const std::string name(buffer.data() + at);
    if (name.empty()) std::abort();
    names.push_back(name);
    at += name.size() + 1;
  }
  return names;
}

std::string Value(const std::string& section, const std::string& key, const std::string& path, std::size_t room) {
  std::vector<char> buffer(room + 2);
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x02missing", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), path.c_str());
  return std::string(buffer.data(), n);
}

// Every readable key: (folded section, folded key) -> value.
using Contents = std::map<std::pair<std::string, std::string>, std::string>;

Contents ReadAll(const std::string& path, std::size_t room) {
  Contents all;
  for (const auto& section : Names(nullptr, path, room))
    for (const auto& key : Names(section.c_str(), path, room))
      all[{Fold(section), Fold(key)}] = Value(section, key, path, room);
  return all;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

// The numbers of lines that differ between the two texts: removed from the first, added in
// the second (after their common beginning and end are taken away).
std::pair<std::size_t, std::size_t> ChangedLines(const std::string& before, const std::string& after) {
  const auto a = Lines(before), b = Lines(after);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  return {a.size() - head - tail, b.size() - head - tail};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back() += static_cast<char>(data[i]);
  }
  const std::string& text = parts[0];
  const std::string section = parts.size() > 1 ? parts[1] : "WindowsPos";
  const std::string key = parts.size() > 2 ? parts[2] : "X";
  const std::string value = parts.size() > 3 ? parts[3] : "208";
  const bool deleteSection = key == "\x01";
  const bool deleteKey = !deleteSection && value == "\x01";

  const std::string path = FuzzTempDir() + "/plume.ini";
  ReplaceFileWith(path, text);
  const std::size_t room = text.size() + section.size() + key.size() + value.size() + 64;
  const Contents before = ReadAll(path, room);

  const BOOL ok = WritePrivateProfileStringA(section.c_str(), deleteSection ? nullptr : key.c_str(),
                                             deleteSection || deleteKey ? nullptr : value.c_str(), path.c_str());
  const std::string written = ReadFile(path);
  if (!ok) {
    if (written != text) std::abort();
    return 0;
  }

  const std::string s = Fold(Trim(section)), k = Fold(Trim(key));
  Contents after = ReadAll(path, room);
  if (deleteSection) {
    for (const auto& name : Names(nullptr, path, room))
      if (Fold(name) == s) std::abort();
  } else if (deleteKey) {
    if (Value(Trim(section), Trim(key), path, room) != "\x02missing") std::abort();
  } else {
    if (Value(section, key, path, room) != ReadsAs(value)) std::abort();
    // An empty section name cannot be listed, so its key is looked at only here.
    after.erase({s, k});
  }
  for (const auto& [where, old] : before) {
    const bool target = where.first == s && (deleteSection || where.second == k);
    const auto now = after.find(where);
    if (target) continue;
    if (now == after.end() || now->second != old) std::abort();
  }
  for (const auto& [where, now] : after) {
    const bool target = where.first == s && where.second == k;
    if (!target && before.find(where) == before.end()) std::abort();
  }

  const auto [removed, added] = ChangedLines(text, written);
  if (!deleteSection && !deleteKey && (removed > 1 || added > 3 || (removed == 1 && added != 1))) std::abort();
  // Deletions take every duplicate along, so they may cut several places: what is left must
  // be the old lines in their old order.
  if (deleteSection || deleteKey) {
    const auto a = Lines(text), b = Lines(written);
    std::size_t i = 0;
    for (const auto& line : b) {
      while (i < a.size() && a[i] != line) ++i;
      if (i == a.size()) std::abort();
      ++i;
    }
  }
  return 0;
}
