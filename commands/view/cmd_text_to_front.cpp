#include <string>

#include "commands/command_support.h"
#include "commands/view/draw_order_table.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"
#include "entities/dimension.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "shell/input_request.h"

int CmdTextToFront() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  SetKeywords("Text Dimensions Both", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("Bring to front [Text/Dimensions/Both] <Both>", keyword, text);
  if (status == FC_INPUT_NONE) {
    keyword = "Both";
  } else if (status != FC_INPUT_OK) {
    return kStatusDone;
  }
  const bool texts = keyword != "Dimensions";
  const bool dimensions = keyword != "Text";
  RecordDrawOrderUndo(*graph);
  FcSortEntsTable* table = EnsureDrawOrderTable(*graph);
  int textCount = 0;
  int dimensionCount = 0;
  if (table != nullptr) {
    for (FcEntity* entity : *graph->GetCurrentEntitySet()) {
      const bool isText = dynamic_cast<FcText*>(entity) != nullptr || dynamic_cast<FcMText*>(entity) != nullptr;
      if (texts && isText) {
        table->MoveEntity(entity->GetHandle(), 0);
        ++textCount;
      } else if (dimensions && dynamic_cast<FcDimension*>(entity) != nullptr) {
        table->MoveEntity(entity->GetHandle(), 0);
        ++dimensionCount;
      }
    }
  }
  if (textCount == 0 && dimensionCount == 0) {
    PrintMessage("No objects found.");
  } else {
    PrintMessage(std::to_string(textCount) + " text object(s) and " + std::to_string(dimensionCount) +
                 " dimension object(s) brought to front.");
  }
  if (table != nullptr) ShowDrawOrder(*graph, *table);
  return kStatusDone;
}
