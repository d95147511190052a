#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/hatch/hatch_commands.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

int CmdMatchProp() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntity* source = nullptr;
  while (source == nullptr) {
    std::string text;
    FcPoint2d point;
    if (PickOneObject("Select source object", text, point, source) != FC_INPUT_OK) return kStatusDone;
    if (source == nullptr) PrintMessage("No object selected");
  }
  const FcLayer* layer = source->GetLayer();
  PrintMessage(std::string("Properties: Layer ") + (layer != nullptr ? layer->GetName().c_str() : "0") + ", Color " +
               ColorIndexToText(source->GetColor()) + ", Linetype " + EntityLinetypeName(*source) +
               ", Linetype scale " + FormatDrawingDistance(source->GetLinetypeScale(), graph));
  FcEntitySets targets(16);
  if (SelectObjects("", targets) != FC_INPUT_OK) return kStatusDone;
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("MatchProp");
  item->RecordSet(kUndoChanged, &targets);
  AddUndoItem(*graph, item.release());
  for (FcEntity* target : targets) target->CopyProperties(source);
  graph->RedrawEntities(&targets);
  return kStatusDone;
}
