// Reads the input as a whole DWG file into a drawing; the read may not
// crash, hang or read outside the input. Writing what was read, and
// reading that back, is roundtrip_fuzz's part.

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
  if (ReadDwgFile(graph, filer) == FcDwgReadResult::kDone) CompleteDefaultObjects(graph);
  return 0;
}
