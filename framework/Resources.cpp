#include "framework/Resources.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

struct Registry {
  std::map<std::string, std::string_view> byPath;
  std::map<std::string, std::vector<std::string>> pathsByFileName;
};

// Made on first use, since the embedded files may be registered before main runs.
Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::string FileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void RegisterResource(std::string name, std::string_view data) {
  Registry& r = TheRegistry();
  std::vector<std::string>& paths = r.pathsByFileName[FileName(name)];
  if (std::find(paths.begin(), paths.end(), name) == paths.end()) paths.push_back(name);
  r.byPath[std::move(name)] = data;
}

std::optional<std::string_view> FindResource(const std::string& name) {
  const Registry& r = TheRegistry();
  if (auto it = r.byPath.find(name); it != r.byPath.end()) return it->second;
  // A bare name that two folders share would pick one of them by chance; better none.
  if (auto it = r.pathsByFileName.find(name); it != r.pathsByFileName.end() && it->second.size() == 1)
    return r.byPath.at(it->second.front());
  return std::nullopt;
}
