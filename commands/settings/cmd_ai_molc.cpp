#include <memory>
#include <new>
#include <string>

#include "commands/command_support.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/undo_table_items.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

std::string CurrentLayerName(const FcGraph& graph) {
  return graph.GetCurrentLayer() != nullptr ? graph.GetCurrentLayer()->GetName() : std::string();
}

}  // namespace

int CmdAiMolc() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  PrintMessage("Current layer : " + CurrentLayerName(*graph));
  std::string text;
  FcPoint2d point;
  FcEntity* picked = nullptr;
  if (PickOneObject("Select object that its layer will be set to current layer", text, point, picked) !=
          FC_INPUT_OK ||
      picked == nullptr)
    return kStatusDone;
  std::unique_ptr<FcLayerUndoItem> item(new (std::nothrow) FcLayerUndoItem);
  if (!item) {
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  item->SetName("ai_molc");
  item->Capture(*graph);
  graph->SetCurrentLayerByHandle(picked->GetLayerHandle());
  AddUndoItem(*graph, item.release());
  PrintMessage("Now the current layer is \"" + CurrentLayerName(*graph) + "\".");
  return kStatusDone;
}
