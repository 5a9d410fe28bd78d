// Runs an action when a scope ends, however it ends (return or exception).
#pragma once

#include <utility>

namespace platform {

template <typename Action>
class TScopeExit {
 public:
  explicit TScopeExit(Action action) : FAction(std::move(action)) {}
  ~TScopeExit() { FAction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  Action FAction;
};

}  // namespace platform
