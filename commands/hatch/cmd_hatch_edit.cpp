#include <memory>
#include <string>

#include "commands/hatch/hatch_commands.h"
#include "commands/hatch/hatch_settings.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/hatch.h"
#include "filers/filer.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

int CmdHatchEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcFiler patterns;
  if (!OpenPatternFile(patterns)) return kStatusDone;
  FcHatch* hatch = nullptr;
  while (hatch == nullptr) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select hatch entity", text, point, picked) != FC_INPUT_OK) return kStatusDone;
    hatch = dynamic_cast<FcHatch*>(picked);
  }
  const FcHPPattern& pattern = hatch->GetPattern();
  HatchSettings settings;
  settings.pattern = pattern.GetName();
  settings.userDefined = pattern.GetType() == kPatternUserDefined;
  settings.scale = pattern.GetScale();
  settings.spacing = pattern.GetScale();
  settings.twice = pattern.IsDouble();
  settings.angleDegrees = pattern.GetAngle() * kRadToDeg;
  if (!AskHatchPattern(settings)) return kStatusDone;
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("HatchEdit");
  item->Record(kUndoChanged, hatch);
  if (!ApplyHatchSettings(*hatch, settings, patterns)) return kStatusDone;
  AddUndoItem(*graph, item.release());
  graph->RedrawEntity(hatch);
  return kStatusDone;
}
