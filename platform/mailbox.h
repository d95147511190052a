#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

// The message queue of a command thread. Messages travel by value, so the
// sender keeps nothing the receiver could see change. After Quit the
// receiver still gets every message posted before it, then an empty answer.
template <typename Message>
class Mailbox {
 public:
  // False once Quit has been called: no one will read the message.
  bool Post(Message message) {
    {
      std::lock_guard lock(mutex_);
      if (quit_) return false;
      queue_.push_back(std::move(message));
    }
    arrived_.notify_one();
    return true;
  }

  // Blocks for the next message; empty once the mailbox has quit and drained.
  std::optional<Message> Get() {
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    return PopLocked();
  }

  // The next message without waiting; empty when there is none.
  std::optional<Message> TryGet() {
    std::lock_guard lock(mutex_);
    return PopLocked();
  }

  void Quit() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    arrived_.notify_all();
  }

 private:
  std::optional<Message> PopLocked() {
    if (queue_.empty()) return std::nullopt;
    std::optional<Message> message(std::move(queue_.front()));
    queue_.pop_front();
    return message;
  }

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<Message> queue_;
  bool quit_ = false;
};
