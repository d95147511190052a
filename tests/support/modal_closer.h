#pragma once

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <functional>

// Ends the next modal dialog once its own event loop runs, after letting
// the test look at it: the look returns the end code. Works whichever
// thread asked for the dialog, as long as this thread runs the event loop.
// A dialog may already count as the modal one while it is still being
// shown, and the platform may run timers then; ending it that early would
// leave its loop, started afterwards, waiting for ever. Hence the loop
// level must be deeper than where the closer was made.
class ModalCloser {
 public:
  explicit ModalCloser(std::function<int(QDialog&)> look)
      : look_(std::move(look)), loopLevel_(QThread::currentThread()->loopLevel()) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || QThread::currentThread()->loopLevel() <= loopLevel_) return;
      timer_.stop();
      ++closed_;
      dialog->done(look_(*dialog));
    });
    timer_.start(5);
  }

  int Closed() const { return closed_; }

 private:
  std::function<int(QDialog&)> look_;
  int loopLevel_;
  QTimer timer_;
  int closed_ = 0;
};
