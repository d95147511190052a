#include <benchmark/benchmark.h>

#include "files/drawing_services.h"

// Every benchmark program starts with the drawing side put together, as the
// program itself does.
int main(int argc, char** argv) {
  InstallDrawingServices();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
