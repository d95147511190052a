#include "window/qt_window_thread.h"

#include <QMetaObject>
#include <QThread>
#include <utility>

QtWindowThread::QtWindowThread() = default;

void QtWindowThread::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(&receiver_, std::move(call), Qt::QueuedConnection);
}

void QtWindowThread::Send(std::function<void()> call) {
  if (IsCurrent()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(&receiver_, std::move(call), Qt::BlockingQueuedConnection);
}

bool QtWindowThread::IsCurrent() const { return QThread::currentThread() == receiver_.thread(); }
