#include "platform/event.h"

Event::Event(ResetMode mode, bool initially_set) : mode_(mode), set_(initially_set) {}

void Event::Set() {
  {
    std::lock_guard lock(mutex_);
    set_ = true;
  }
  if (mode_ == ResetMode::kAuto) {
    changed_.notify_one();
    return;
  }
  changed_.notify_all();
}

void Event::Reset() {
  std::lock_guard lock(mutex_);
  set_ = false;
}

void Event::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return set_; });
  Consume();
}

bool Event::Wait(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!changed_.wait_for(lock, timeout, [this] { return set_; })) return false;
  return Consume();
}

bool Event::TryWait() {
  std::lock_guard lock(mutex_);
  if (!set_) return false;
  return Consume();
}

bool Event::Consume() {
  if (mode_ == ResetMode::kAuto) set_ = false;
  return true;
}
