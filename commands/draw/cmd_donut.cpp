#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/drag_circle.h"
#include "entities/entity_listing.h"
#include "entities/polyline.h"
#include "shell/input_request.h"

int CmdDonut() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcSystemVar& vars = graph->GetSysVars();
  double inside = vars.DonutInnerDiameter;
  double outside = vars.DonutOuterDiameter;
  std::string text;
  const int first = GetDistance(nullptr, "Inside diameter <" + FormatDrawingDistance(inside, graph) + ">", inside, text);
  if (first != FC_INPUT_OK && first != FC_INPUT_NONE) return kStatusDone;
  SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
  const int second =
      GetDistance(nullptr, "Outside diameter <" + FormatDrawingDistance(outside, graph) + ">", outside, text);
  if (second != FC_INPUT_OK && second != FC_INPUT_NONE) return kStatusDone;
  if (outside < inside) {
    vars.DonutInnerDiameter = std::fabs(outside);
    if (inside > 0.0) vars.DonutOuterDiameter = inside;
  } else {
    vars.DonutInnerDiameter = std::fabs(inside);
    if (outside > 0.0) vars.DonutOuterDiameter = outside;
  }
  const double d = vars.DonutInnerDiameter;
  const double D = vars.DonutOuterDiameter;
  const double ring = (D + d) * 0.25;
  const double width = (D - d) * 0.5;
  // All donuts of one run are undone together.
  FcUndoSection section(*graph, "Donut", FcUndoSection::Steps::kWholeRun);
  FcDragDonut band(d, D);
  for (;;) {
    SetDragObject(&band);
    FcPoint2d centreUcs;
    if (GetPoint(nullptr, "Center of doughnut", centreUcs, text) != FC_INPUT_OK) return kStatusDone;
    const FcPoint2d centre = UcsToWorldPoint(*graph, centreUcs);
    const bool added = section.AddNew<FcPolyline>([&](FcPolyline& polyline) {
      polyline.AppendVertex({centre.x + ring, centre.y}, width, width, 1.0);
      polyline.AppendVertex({centre.x - ring, centre.y}, width, width, 1.0);
      polyline.SetClosed(true);
    });
    if (!added) return kStatusDone;
  }
}
