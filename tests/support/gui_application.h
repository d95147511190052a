#pragma once

#include <QApplication>

// The one application object of the window tests, made by whichever test
// needs widgets first and kept until the program ends.
inline QApplication& GuiApplication() {
  if (auto* running = qobject_cast<QApplication*>(QCoreApplication::instance())) return *running;
  static int argc = 1;
  static char name[] = "kovra_window_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}
