// The temporary files a profile write leaves beside its file while it runs, named
// ".<file>.<pid>.<n>.tmp". A write killed half-way leaves one behind for good, so each write
// clears those of its own file whose writer no longer runs.
#pragma once

#include <string>

namespace platform::profile {

// The temporary's name for a file of base name `base` written by process `pid`, n-th time.
std::string TemporaryName(const std::string& base, long pid, unsigned n);

// Removes, in `folder`, the temporaries of the file named `base` whose process has ended.
// Files of other names, of other files and of running processes stay. Returns how many went.
int RemoveStaleTemporaries(const std::string& folder, const std::string& base);

}  // namespace platform::profile
