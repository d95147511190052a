#include <benchmark/benchmark.h>

#include "files/drawing_services.h"
#include "platform/large_page_heap.h"

// Every benchmark program starts as the program itself does: heap in large
// pages, drawing side put together.
int main(int argc, char** argv) {
  RestartWithLargePageHeap(argv);
  InstallDrawingServices();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
