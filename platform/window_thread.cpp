#include "platform/window_thread.h"

#include <utility>

#include "platform/event.h"

QueuedWindowThread::QueuedWindowThread()
    : thread_([this] {
        while (std::optional<std::function<void()>> call = calls_.Get()) (*call)();
      }) {}

QueuedWindowThread::~QueuedWindowThread() {
  calls_.Quit();
  thread_.join();
}

void QueuedWindowThread::Post(std::function<void()> call) { calls_.Post(std::move(call)); }

void QueuedWindowThread::Send(std::function<void()> call) {
  if (IsCurrent()) {
    call();
    return;
  }
  Event done(Event::ResetMode::kManual);
  const bool posted = calls_.Post([&call, &done] {
    call();
    done.Set();
  });
  if (posted) done.Wait();
}

bool QueuedWindowThread::IsCurrent() const { return std::this_thread::get_id() == thread_.get_id(); }
