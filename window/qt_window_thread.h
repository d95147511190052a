#pragma once

#include <QObject>

#include "platform/window_thread.h"

// The GUI thread as the program's window thread: posted calls become
// queued calls on its event loop, sent calls blocking-queued ones, so a
// command thread that sends waits until the event loop has run the call.
// Created on the GUI thread.
class QtWindowThread : public WindowThread {
 public:
  QtWindowThread();

  void Post(std::function<void()> call) override;
  void Send(std::function<void()> call) override;
  bool IsCurrent() const override;

 private:
  QObject receiver_;
};
