#include <QApplication>
#include <QSettings>

#include "platform/large_page_heap.h"
#include "platform/qt/program_settings_store.h"
#include "shell/printer.h"
#include "window/main_frame.h"
#include "window/program_start.h"
#include "window/qt_printer.h"

int main(int argc, char** argv) {
  RestartWithLargePageHeap(argv);
  QApplication application(argc, argv);
  std::unique_ptr<QSettings> store = OpenSettingsStore();
  SetPrinter(std::make_shared<QtPrinter>());
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  std::unique_ptr<MainFrame> frame =
      StartProgram(arguments, *store, QApplication::applicationFilePath().toStdString());
  frame->show();
  const int result = QApplication::exec();
  frame.reset();
  SetPrinter(nullptr);
  EndProgram(*store);
  return result;
}
