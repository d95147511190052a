// Opens the input as a drawing file of whatever kind it holds; a drawing
// that opens is saved as DWG and as ASCII DXF and each file is opened
// again, which must succeed and give the same tables and entity counts.
// A save that reports success and writes a file the program then refuses
// loses the user's drawing. This target also covers writing what the
// readers accept, so the open targets only read.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "files/drawing_services.h"

namespace {

// What a save must keep: the tables' sizes and each block's entity count.
std::string Contents(FcGraph& graph) {
  std::string text = "layers " + std::to_string(graph.GetLayerList().GetCount()) + " linetypes " +
                     std::to_string(graph.GetLinetypeList().GetCount()) + " styles " +
                     std::to_string(graph.GetTextStyleList().GetCount()) + " dimstyles " +
                     std::to_string(graph.GetDimStyleList().GetCount()) + "\n";
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    const FcBlock* block = blocks.GetAt(i);
    text += block->GetName() + " " + std::to_string(block->GetEntities().GetCount()) + "\n";
  }
  return text;
}

void SaveAndReopen(FcGraph& graph, FcFileKind kind, const char* extension) {
  const std::string path = "/dev/shm/roundtrip_fuzz_" + std::to_string(getpid()) + extension;
  const std::string before = Contents(graph);
  // A save may refuse a drawing with a message (a text too long for its
  // field); only one that reports success must open again.
  if (SaveDrawing(graph, path, kind, false, false) != FcSaveResult::kDone) return;
  FcGraph again;
  std::uint8_t skipped = 0;
  const FcOpenResult reopened = OpenDrawing(again, path, false, &skipped);
  std::remove(path.c_str());
  if (reopened != FcOpenResult::kDone) {
    std::fprintf(stderr, "saved %s does not open again: %d\n", extension, static_cast<int>(reopened));
    std::abort();
  }
  const std::string after = Contents(again);
  if (after != before) {
    std::fprintf(stderr, "saved %s opens with other contents:\n%s---\n%s", extension, before.c_str(), after.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InstallDrawingServices();
  FcGraph graph;
  std::uint8_t skipped = 0;
  if (OpenDrawingFromMemory(graph, std::vector<char>(data, data + size), &skipped) != FcOpenResult::kDone) return 0;
  SaveAndReopen(graph, FcFileKind::kDwg, ".dwg");
  SaveAndReopen(graph, FcFileKind::kAsciiDxf, ".dxf");
  return 0;
}
