#include "shell/printer.h"

#include <mutex>

namespace {

std::mutex g_mutex;
std::shared_ptr<FcPrinter> g_printer;

}  // namespace

void SetPrinter(std::shared_ptr<FcPrinter> printer) {
  const std::lock_guard lock(g_mutex);
  g_printer = std::move(printer);
}

std::shared_ptr<FcPrinter> GetPrinter() {
  const std::lock_guard lock(g_mutex);
  return g_printer;
}
