#include "commands/modify/chamfer_pairs.h"

#include "commands/modify/chamfer_points.h"
#include "commands/modify/corner_edges.h"
#include "commands/modify/corner_pieces.h"
#include "commands/modify/corner_trims.h"
#include "commands/modify/polyline_corners.h"
#include "core/geometry_basics.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"

namespace {

constexpr const char* kChamferUndoName = "Chamfer";

}  // namespace

void ChamferStraightPair(FcGraph& graph, FcEntity& first, const FcPoint2d& firstPick, FcEntity& second,
                         const FcPoint2d& secondPick) {
  StraightCornerEdge a, b;
  if (!StraightEdgeOf(first, firstPick, a) || !StraightEdgeOf(second, secondPick, b)) return;
  ChamferCut cut;
  if (!ChamferPoints(a, b, graph.GetSysVars(), cut)) return;
  CornerUndoStep step(graph, kChamferUndoName);
  AddChamferLine(graph, step.Item(), first, second, cut.onFirst, cut.onSecond);
  if (graph.GetSysVars().TrimMode != 1) return;
  TrimStraightEdgeToPoint(first, cut.onFirst, cut.corner, step.Item(), graph);
  TrimStraightEdgeToPoint(second, cut.onSecond, cut.corner, step.Item(), graph);
}

void ChamferLineWithPolyline(FcGraph& graph, FcLine& line, const FcPoint2d& linePick, FcPolyline& polyline,
                             int segment, const FcPoint2d& polylinePick, bool linePickedFirst) {
  StraightCornerEdge lineEdge;
  StraightEdgeOf(line, linePick, lineEdge);
  StraightCornerEdge segmentEdge;
  int endVertex = 0;
  if (!PolylineEndEdge(polyline, segment, polylinePick, lineEdge, segmentEdge, endVertex)) {
    PrintMessage("Lines diverge.");
    return;
  }
  ChamferCut cut;
  if (!ChamferPoints(linePickedFirst ? lineEdge : segmentEdge, linePickedFirst ? segmentEdge : lineEdge,
                     graph.GetSysVars(), cut)) {
    return;
  }
  const FcPoint2d& onSegment = linePickedFirst ? cut.onSecond : cut.onFirst;
  const FcPoint2d& onLine = linePickedFirst ? cut.onFirst : cut.onSecond;
  const bool trims = graph.GetSysVars().TrimMode == 1;
  if (trims && LiesBehindStart(segmentEdge, onSegment)) {
    PrintMessage("No intersection can be found between line and polyline line segments.");
    return;
  }
  CornerUndoStep step(graph, kChamferUndoName);
  FcEntSetsUndoItem& item = step.Item();
  if (trims) TrimLineAndPolylineEnd(line, onLine, cut.corner, polyline, endVertex, onSegment, item, graph);
  AddChamferLine(graph, item, line, polyline, cut.onFirst, cut.onSecond);
}
