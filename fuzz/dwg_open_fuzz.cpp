// Reads the input as a whole DWG file into a drawing, then writes what was
// read; neither may crash, hang or read outside the input.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "database/graph.h"
#include "files/drawing_services.h"
#include "files/dwg_file.h"
#include "filers/filer_dwg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InstallDrawingServices();
  FcGraph graph;
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(std::vector<char>(data, data + size)), FcFileKind::kDwg);
  if (ReadDwgFile(graph, filer) != FcDwgReadResult::kDone) return 0;
  CompleteDefaultObjects(graph);
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  writer.SetGraph(&graph);
  try {
    WriteDwgFile(writer, graph, nullptr);
  } catch (const FcFileException&) {
    // A text too long for its length field is refused, not written.
  }
  return 0;
}
