// Runs an action when the scope it stands in ends, however it ends: by return, by falling
// off the end or by an exception. For resetting a flag or unbinding a handle that a
// handler in between may leave by throwing.
#pragma once

#include <utility>

namespace platform {

template <class Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Action action_;
};

}  // namespace platform
