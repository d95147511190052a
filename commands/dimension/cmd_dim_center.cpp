#include <cmath>

#include "commands/dimension/curve_pick.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/dimension/dimension_prompts.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "shell/command_registry.h"

namespace {

// DIMCEN with its sign (negative asks for centre lines) and DIMSCALE, from
// the current style with its attached overrides, else from the drawing's
// variables.
void MarkSize(const FcGraph& graph, double& dimcen, double& dimscale) {
  if (const FcDimStyle* style = graph.GetCurrentDimStyle()) {
    dimcen = style->GetDimCen();
    dimscale = style->GetDimScale();
    return;
  }
  dimcen = graph.GetSysVars().dimcen;
  dimscale = graph.GetSysVars().dimscale;
}

}  // namespace

int CmdDimCenter() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // The lines go back with one Undo and mark the drawing modified.
  FcUndoSection section(*graph, "DimCenter", FcUndoSection::Steps::kWholeRun);
  GeomSegment arc;
  FcPoint2d pickPoint;
  if (!PickArcOrCircleSegment(arc, pickPoint)) return kStatusDone;
  double dimcen = 0.0;
  double dimscale = 1.0;
  MarkSize(*graph, dimcen, dimscale);
  const double size = std::fabs(dimcen * dimscale);
  if (!std::isfinite(size) || !std::isfinite(size + arc.radius)) {
    PrintMessage("The centre mark size is out of range.");
    return kStatusDone;
  }
  const double a = UcsAngle(*graph);
  const FcPoint2d& c = arc.centre;
  if (!section.AddLine(PointAtPolar(c, size, a + kPi), PointAtPolar(c, size, a))) return kStatusDone;
  if (!section.AddLine(PointAtPolar(c, size, a + 3.0 * kHalfPi), PointAtPolar(c, size, a + kHalfPi))) {
    return kStatusDone;
  }
  if (dimcen >= 0.0) return kStatusDone;
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double t = a + quarter * kHalfPi;
    if (!section.AddLine(PointAtPolar(c, 2.0 * size, t), PointAtPolar(c, size + arc.radius, t))) break;
  }
  return kStatusDone;
}
