#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/ray.h"
#include "shell/input_request.h"

int CmdRay() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Ray", FcUndoSection::Steps::kWholeRun);
  FcPoint2d origin;
  FcPoint2d through;
  std::string text;
  if (GetPoint(nullptr, "Input origin", origin, text) != FC_INPUT_OK) return kStatusDone;
  if (GetPoint(&origin, "Directiont", through, text) != FC_INPUT_OK) return kStatusDone;
  const FcPoint2d base = UcsToWorldPoint(*graph, origin);
  const FcPoint2d towards = UcsToWorldPoint(*graph, through);
  section.AddNew<FcRay>([&](FcRay& ray) {
    ray.SetBasePoint(base);
    // A direction point on the origin gives (1, 0).
    ray.SetDirection({towards.x - base.x, towards.y - base.y});
  });
  return kStatusDone;
}
