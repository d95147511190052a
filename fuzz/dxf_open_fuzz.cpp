#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "files/drawing_services.h"

// Opens the input as a drawing file of whatever kind it holds, into a
// drawing that already has contents of its own.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InstallDrawingServices();
  static FcGraph* const graph = new FcGraph;
  std::uint8_t skipped = 0;
  FcSkippedRecords byKind;
  OpenDrawingFromMemory(*graph, std::vector<char>(data, data + size), &skipped, &byKind);
  return 0;
}
