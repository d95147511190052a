#include <memory>
#include <new>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/block/image_procedures.h"
#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/raster_variables.h"
#include "database/undo_list.h"
#include "entities/undo_image_items.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

int CmdImageFrame() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // The frame's own undo item records the run.
  auto* variables = NamedObjectOrNew<FcRasterVariables>(*graph, kImageVariablesName);
  if (variables == nullptr) return kStatusDone;
  const std::int16_t current = variables->GetImageFrame();
  SetKeywords("ON OFF", 0);
  std::string keyword;
  std::string text;
  const char* prompt = current == 1 ? "Enter image frame setting [ON/OFF] <ON>" : "Enter image frame setting [ON/OFF] <OFF>";
  if (GetKeyword(prompt, keyword, text) != FC_INPUT_OK) return kStatusDone;
  const std::int16_t wanted = EqualsNoCase(keyword, "OFF") ? 0 : 1;
  if (wanted == current) return kStatusDone;
  auto item = std::unique_ptr<FcImageFrameUndo>(new (std::nothrow) FcImageFrameUndo);
  if (item == nullptr) return kStatusDone;
  item->Capture(*graph);
  item->SetName("ImageFrame");
  AddUndoItem(*graph, item.release());
  variables->SetImageFrame(wanted);
  graph->Redraw();
  return kStatusDone;
}
