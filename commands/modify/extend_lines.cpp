#include <cmath>
#include <memory>

#include "commands/command_support.h"
#include "commands/modify/extend_operations.h"
#include "core/extend_edge_list.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/ray.h"

namespace {

// The arc met its own other end: it becomes a circle, drawn like a new
// entity with the current properties.
void CloseArc(FcArc& arc, const EdgePick& pick) {
  std::unique_ptr<FcCircle> circle(NewEntityOrReport<FcCircle>());
  if (!circle) return;
  circle->SetCenter(arc.GetCenter());
  circle->SetRadius(arc.GetRadius());
  circle->CopyProperties(&arc);
  TakeOutErased(pick.graph, pick.undo, arc);
  delete &arc;
  FcCircle* added = circle.release();
  pick.graph.AddEntity(added, true);
  pick.undo.Record(kUndoCreated, added);
  pick.graph.Redraw();
}

void Changed(FcEntity& entity, const EdgePick& pick) {
  pick.graph.RedrawEntity(&entity);
  pick.graph.Redraw();
}

double Normalized(double angle) {
  NormalizeAngle(angle);
  return angle;
}

}  // namespace

void ExtendLine(FcLine& line, const EdgePick& pick) {
  const FcPoint2d start = line.GetStartPoint();
  const FcPoint2d end = line.GetEndPoint();
  const bool startMoves = DistanceBetween(end, pick.point) > DistanceBetween(start, pick.point);
  FcPoint2d hit;
  if (!pick.edges.NearestLineExtension(startMoves ? end : start, startMoves ? start : end, pick.extendEdges, hit)) {
    return;
  }
  pick.undo.Record(kUndoChanged, &line);
  if (startMoves) {
    line.SetStartPoint(hit);
  } else {
    line.SetEndPoint(hit);
  }
  Changed(line, pick);
}

void ExtendArc(FcArc& arc, const EdgePick& pick) {
  const double s = arc.GetStartAngle();
  const double e = arc.GetEndAngle();
  double p = NormalAngleAbout(arc.GetCenter(), pick.point);
  while (p < s) p += kTwoPi;
  const bool startMoves = p < (s + e) / 2.0;
  FcPoint2d hit;
  if (!pick.edges.NearestArcExtension(arc.GetCenter(), arc.GetRadius(), startMoves ? e : s, startMoves ? s : e,
                                      !startMoves, pick.extendEdges, hit)) {
    return;
  }
  const double a = NormalAngleAbout(arc.GetCenter(), hit);
  const double otherEnd = Normalized(startMoves ? e : s);
  if (std::fabs(a - otherEnd) < kTolerance) {
    CloseArc(arc, pick);
    return;
  }
  pick.undo.Record(kUndoChanged, &arc);
  if (startMoves) {
    arc.SetStartAngle(a);
  } else {
    arc.SetEndAngle(a);
  }
  Changed(arc, pick);
}

void ExtendRay(FcRay& ray, const EdgePick& pick) {
  const FcPoint2d base = ray.GetBasePoint();
  const FcPoint2d& d = ray.GetDirection();
  FcPoint2d hit;
  if (!pick.edges.NearestLineExtension({base.x + d.x, base.y + d.y}, base, pick.extendEdges, hit)) return;
  pick.undo.Record(kUndoChanged, &ray);
  ray.SetBasePoint(hit);
  Changed(ray, pick);
}
