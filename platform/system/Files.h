// Small file routines that the profile functions and the per-user store share: whole-file
// reads and writes that survive interrupted system calls, and folders made on first use.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

// Replaces text with the whole content of a regular file; false when path is no regular
// file or cannot be read. A pipe or a device is refused without waiting for a writer.
bool ReadRegularFile(const std::string& path, std::string& text);

// Writes all of text to fd, going on after interrupted and partial writes.
bool WriteAll(int fd, std::string_view text);

// Finishes a file written beside its final place: flushes and closes fd, then renames
// temp over path. When anything fails, written false included, temp is removed.
bool CommitFile(int fd, bool written, const std::string& temp, const std::string& path);

// Makes dir and each missing parent in turn, new ones private to the user; true when dir
// is a folder afterwards.
bool MakeFolderPath(const std::string& dir);

}  // namespace platform
