#pragma once

#include <mutex>
#include <utility>

// A service an upper floor installs into a lower one at start-up (a
// std::function): any thread may read it while the window installs or
// removes it, so each reader takes a copy under the lock.
template <typename Hook>
class InstalledHook {
 public:
  void Set(Hook hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
  }
  Hook Get() const {
    std::lock_guard lock(mutex_);
    return hook_;
  }

 private:
  mutable std::mutex mutex_;
  Hook hook_;
};
