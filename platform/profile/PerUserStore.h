// Where a profile file really lives. The settings file lies beside the program; once the
// program is installed into a folder its user cannot write, the profile functions keep that
// file in a per-user store instead, as the original system does for programs that write into
// their read-only install folder: reads take the per-user copy when there is one and the file
// beside the program otherwise, and every write goes to the per-user copy. A file in a folder
// that can be written, or anywhere but the program's own folder, is used where it lies.
#pragma once

#include <optional>
#include <string>

namespace platform::profile {

// The rule alone, for a file at `path` (absolute): the per-user copy's path when the file
// lies directly in `programFolder` and that folder is not writable, else nothing. Without a
// per-user store (`userStore` empty) nothing is redirected.
std::optional<std::string> RedirectedPath(const std::string& path, const std::string& programFolder,
                                          bool programFolderWritable, const std::string& userStore);

// The per-user store: $XDG_CONFIG_HOME/plume (an absolute XDG_CONFIG_HOME only, as the
// base-directory rules ask), else $HOME/.config/plume; empty when neither is set.
std::string PerUserStore();

// The rule with this machine's answers: the running program's folder, whether its user may
// write there, and the per-user store.
std::optional<std::string> PerUserCopyOf(const std::string& path);

// The file a read of `path` takes.
std::string ReadPathOf(const std::string& path);

// Makes the store's folder and, the first time, fills the copy with the text of the file
// beside the program, so that a write changes one key and keeps the others. False when the
// store cannot be made or written.
bool PreparePerUserCopy(const std::string& original, const std::string& copy);

}  // namespace platform::profile
