#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Ends the next modal dialog once the event loop shows it, after letting
// the test look at it: the look returns the end code. Works whichever
// thread asked for the dialog, as long as this thread runs the event loop.
class ModalCloser {
 public:
  explicit ModalCloser(std::function<int(QDialog&)> look) : look_(std::move(look)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      timer_.stop();
      ++closed_;
      dialog->done(look_(*dialog));
    });
    timer_.start(5);
  }

  int Closed() const { return closed_; }

 private:
  std::function<int(QDialog&)> look_;
  QTimer timer_;
  int closed_ = 0;
};
