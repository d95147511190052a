#pragma once

#include <functional>
#include <thread>

#include "platform/mailbox.h"

// The one thread that owns the windows. Other threads reach it with calls
// that it runs in order: a posted call returns at once, a sent call returns
// when the window thread has run it (at once, directly, when the caller is
// the window thread itself). The private window messages of the program are
// such calls, named after the messages.
class WindowThread {
 public:
  virtual ~WindowThread() = default;
  virtual void Post(std::function<void()> call) = 0;
  virtual void Send(std::function<void()> call) = 0;
  virtual bool IsCurrent() const = 0;
};

// A window thread without windows: a plain thread draining a mailbox of
// calls, for headless runs and tests.
class QueuedWindowThread : public WindowThread {
 public:
  QueuedWindowThread();
  // Runs what was posted before, then ends the thread.
  ~QueuedWindowThread() override;

  void Post(std::function<void()> call) override;
  void Send(std::function<void()> call) override;
  bool IsCurrent() const override;

 private:
  Mailbox<std::function<void()>> calls_;
  std::thread thread_;
};
