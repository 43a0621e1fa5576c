// Files from the source tree's resources/ folder, compiled into the executable: window
// descriptions, bitmaps and the icon. The program never reads them from disk, so it runs
// the same wherever it is installed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Makes data findable under name, a path relative to resources/ ("forms/main.dfm"), and
// under its bare file name ("main.dfm") as long as no other resource has the same one. The
// data is not copied: it must outlive every lookup (the embedded arrays do). Registering a
// name again replaces its data.
void RegisterResource(std::string name, std::string_view data);

// The data of a resource by its path or, when unambiguous, its bare file name.
std::optional<std::string_view> FindResource(const std::string& name);

// Registers every file embedded at build time. It is defined by the generated source in the
// plume_resources library, so only the program and the tests that link that library may
// call it. Calling it again does no harm.
void RegisterEmbeddedResources();
