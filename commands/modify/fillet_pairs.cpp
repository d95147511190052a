#include "commands/modify/fillet_pairs.h"

#include "commands/modify/corner_edges.h"
#include "commands/modify/corner_pieces.h"
#include "commands/modify/corner_trims.h"
#include "commands/modify/polyline_corners.h"
#include "core/corner_fillets.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "platform/frame_link.h"

namespace {

constexpr const char* kFilletUndoName = "Fillet";

bool Trims(const FcGraph& graph) { return graph.GetSysVars().TrimMode == 1; }

FcPoint2d Foot(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& p) {
  FcPoint2d foot = p;
  FootOfPerpendicular(p1, p2, p, foot);
  return foot;
}

CircularCornerEdge CircularEdgeOf(const FcCircle& circle, const FcPoint2d& pick) {
  return {circle.GetCenter(), circle.GetRadius(), pick};
}

}  // namespace

void FilletStraightPair(FcGraph& graph, FcEntity& first, const FcPoint2d& firstPick, FcEntity& second,
                        const FcPoint2d& secondPick) {
  StraightCornerEdge a, b;
  if (!StraightEdgeOf(first, firstPick, a) || !StraightEdgeOf(second, secondPick, b)) return;
  FcPoint2d corner;
  FilletArcPlace place;
  if (!FilletLineLine(a, b, graph.GetSysVars().filletrad, corner, place)) {
    PrintMessage(kInvalidFilletRadius);
    return;
  }
  CornerUndoStep step(graph, kFilletUndoName);
  AddFilletArc(graph, step.Item(), first, second, place);
  if (!Trims(graph)) return;
  TrimStraightEdgeToPoint(first, a.pick, corner, step.Item(), graph);
  TrimStraightEdgeToPoint(second, b.pick, corner, step.Item(), graph);
}

void FilletStraightWithRound(FcGraph& graph, FcEntity& straight, const FcPoint2d& straightPick, FcEntity& round,
                             const FcPoint2d& roundPick) {
  auto& circle = dynamic_cast<FcCircle&>(round);
  StraightCornerEdge line;
  if (!StraightEdgeOf(straight, straightPick, line)) return;
  CircularCornerEdge edge = CircularEdgeOf(circle, roundPick);
  FilletArcPlace place;
  bool startsAtLine = false;
  if (!FilletLineArc(line, edge, graph.GetSysVars().filletrad, place, startsAtLine)) {
    PrintMessage(kInvalidFilletRadius);
    return;
  }
  CornerUndoStep step(graph, kFilletUndoName);
  FcEntSetsUndoItem& item = step.Item();
  AddFilletArc(graph, item, straight, round, place);
  if (!Trims(graph)) return;
  TangentLeave leave{line.pick, {}, place.centre, edge.pick};
  const FcPoint2d foot = Foot(line.p1, line.p2, edge.pick);
  leave.away = IsSamePoint(leave.t, foot) ? straightPick - leave.t : leave.t - foot;
  if (auto* asLine = dynamic_cast<FcLine*>(&straight)) {
    item.Record(kUndoChanged, asLine);
    TrimLineBesideCircle(*asLine, leave);
    graph.RedrawEntity(asLine);
  } else if (auto* ray = dynamic_cast<FcRay*>(&straight)) {
    TrimRayBesideCircle(*ray, leave, item, graph);
  } else if (auto* xline = dynamic_cast<FcXLine*>(&straight)) {
    XLineBesideCircleToRay(*xline, leave, item, graph);
  }
  if (auto* arc = dynamic_cast<FcArc*>(&round)) {
    item.Record(kUndoChanged, arc);
    const bool outside = DistanceBetween(place.centre, arc->GetCenter()) >= arc->GetRadius();
    ReplaceArcEndAngle(*arc, edge.pick, !startsAtLine, outside);
    graph.RedrawEntity(arc);
  }
}

void FilletRoundPair(FcGraph& graph, FcEntity& first, const FcPoint2d& firstPick, FcEntity& second,
                     const FcPoint2d& secondPick) {
  // The arc's pick chooses between the two places where the fillet fits.
  const bool exchange = dynamic_cast<FcArc*>(&first) == nullptr && dynamic_cast<FcArc*>(&second) != nullptr;
  FcEntity& one = exchange ? second : first;
  FcEntity& two = exchange ? first : second;
  CircularCornerEdge a = CircularEdgeOf(dynamic_cast<FcCircle&>(one), exchange ? secondPick : firstPick);
  CircularCornerEdge b = CircularEdgeOf(dynamic_cast<FcCircle&>(two), exchange ? firstPick : secondPick);
  FilletArcPlace place;
  bool firstToSecond = false;
  if (!FilletArcArc(a, b, graph.GetSysVars().filletrad, place, firstToSecond)) return;
  CornerUndoStep step(graph, kFilletUndoName);
  FcEntSetsUndoItem& item = step.Item();
  AddFilletArc(graph, item, one, two, place);
  if (!Trims(graph)) return;
  const auto trimArc = [&](FcEntity& entity, const FcPoint2d& tangent, bool filletStartsHere) {
    auto* arc = dynamic_cast<FcArc*>(&entity);
    if (arc == nullptr) return;
    item.Record(kUndoChanged, arc);
    ReplaceArcEndAngle(*arc, tangent, filletStartsHere, true);
    graph.RedrawEntity(arc);
  };
  trimArc(one, a.pick, firstToSecond);
  trimArc(two, b.pick, !firstToSecond);
}

void FilletLineWithPolyline(FcGraph& graph, FcLine& line, const FcPoint2d& linePick, FcPolyline& polyline,
                            int segment, const FcPoint2d& polylinePick) {
  StraightCornerEdge lineEdge;
  if (!StraightEdgeOf(line, linePick, lineEdge)) return;
  StraightCornerEdge segmentEdge;
  int endVertex = 0;
  if (!PolylineEndEdge(polyline, segment, polylinePick, lineEdge, segmentEdge, endVertex)) {
    PrintMessage("Lines diverge.");
    return;
  }
  FcPoint2d corner;
  FilletArcPlace place;
  if (!FilletLineLine(segmentEdge, lineEdge, graph.GetSysVars().filletrad, corner, place)) {
    PrintMessage(kInvalidFilletRadius);
    return;
  }
  if (Trims(graph) && LiesBehindStart(segmentEdge, segmentEdge.pick)) {
    PrintMessage(kInvalidFilletRadius);
    return;
  }
  CornerUndoStep step(graph, kFilletUndoName);
  FcEntSetsUndoItem& item = step.Item();
  if (Trims(graph)) {
    TrimLineAndPolylineEnd(line, lineEdge.pick, corner, polyline, endVertex, segmentEdge.pick, item, graph);
  }
  AddFilletArc(graph, item, polyline, line, place);
}
