#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/inquiry/inquiry_commands.h"
#include "core/resbuf.h"
#include "commands/inquiry/ucs_point_report.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

int CmdDistance() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  if (GetPoint(nullptr, "Input first point", first, text) != FC_INPUT_OK) return kStatusDone;
  if (GetPoint(&first, "Input second point", second, text) != FC_INPUT_OK) return kStatusDone;
  const double dx = second.x - first.x;
  const double dy = second.y - first.y;
  // The direction is read in the UCS the points were given in, from
  // ANGBASE and in the ANGDIR sense, as every other angle the user sees.
  const double angle =
      UcsDirectionAngle(UcsToWorldPoint(*graph, first), UcsToWorldPoint(*graph, second), graph);
  PrintMessage("  From point: " + FormatUcsCoordinates(first, *graph));
  PrintMessage("  To point: " + FormatUcsCoordinates(second, *graph));
  PrintMessage("  Length = " + FormatDrawingDistance(std::hypot(dx, dy), graph) +
               "  ,  Angle = " + FormatDrawingAngle(angle, graph));
  PrintMessage("  Delta X = " + FormatDrawingDistance(dx, graph) + "  ,  Delta Y = " +
               FormatDrawingDistance(dy, graph));
  return kStatusDone;
}
