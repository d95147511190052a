#include <memory>
#include <string>

#include "commands/block/block_commands.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/graph.h"
#include "files/drawing_file.h"
#include "files/graph_insert.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

bool EndsWithNoCase(const std::string& text, std::string_view ending) {
  return text.size() >= ending.size() && EqualsNoCase(std::string_view(text).substr(text.size() - ending.size()), ending);
}

}  // namespace

// Until its dialogs come, WBlock asks for the block and the file on the
// command line: a ".dwg" name writes DWG, any other DXF (ASCII when this
// drawing came from ASCII DXF, else binary).
int CmdWBlock() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcBlock* block = nullptr;
  while (block == nullptr) {
    std::string name;
    if (GetString("Block name", name) != FC_INPUT_OK || name.empty()) return kStatusDone;
    block = graph->GetBlockList().FindByName(name);
    if (block == nullptr) PrintMessage("Invalid block name! Please type ? for a list of block names.");
  }
  std::string path;
  if (GetString("File name", path) != FC_INPUT_OK || path.empty()) return kStatusDone;
  FcFileKind kind = graph->GetFileKind() == FcFileKind::kAsciiDxf ? FcFileKind::kAsciiDxf : FcFileKind::kBinaryDxf;
  if (EndsWithNoCase(path, ".dwg")) kind = FcFileKind::kDwg;
  std::unique_ptr<FcGraph> drawing = CreateFromBlock(*graph, *block);
  // A save that fails must not pass unnoticed: the user believes the block
  // is on disk.
  if (drawing == nullptr || SaveDrawing(*drawing, path, kind, false, false) != FcSaveResult::kDone) {
    PrintMessage("Can't write the block to the file \"" + path + "\"!");
  }
  return kStatusDone;
}
