#pragma once

#include <QApplication>

// The one widget application of a test program, made by whichever test
// needs it first; a second one would leave the first one's state behind.
inline QApplication& TestApplication() {
  if (auto* running = qobject_cast<QApplication*>(QCoreApplication::instance())) return *running;
  static int argc = 1;
  static char name[] = "kovra_window_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}
