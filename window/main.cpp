#include <QApplication>
#include <QSettings>

#include "platform/large_page_heap.h"
#include "platform/qt/program_settings_store.h"
#include "window/main_frame.h"
#include "window/program_start.h"

int main(int argc, char** argv) {
  RestartWithLargePageHeap(argv);
  QApplication application(argc, argv);
  std::unique_ptr<QSettings> store = OpenSettingsStore();
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  std::unique_ptr<MainFrame> frame =
      StartProgram(arguments, *store, QApplication::applicationFilePath().toStdString());
  frame->show();
  const int result = QApplication::exec();
  frame.reset();
  EndProgram(*store);
  return result;
}
