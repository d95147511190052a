#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// A signal that one thread raises and others wait for. A manual-reset event
// stays set, releasing every waiter, until Reset; an auto-reset event lets
// exactly one waiter through per Set and clears itself as it does. A Set that
// comes before the Wait is kept, never lost.
class Event {
 public:
  enum class ResetMode { kManual, kAuto };

  explicit Event(ResetMode mode, bool initially_set = false);
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  // Blocks until the event is set.
  void Wait();
  // True when the event was set within the time-out.
  bool Wait(std::chrono::milliseconds timeout);
  // The zero-time-out test; on an auto-reset event a true answer consumes
  // the signal, as any successful wait does.
  bool TryWait();

 private:
  // Called with the mutex held once the flag has been seen set.
  bool Consume();

  const ResetMode mode_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool set_;
};
