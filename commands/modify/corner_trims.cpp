#include "commands/modify/corner_trims.h"

#include "commands/command_support.h"
#include "commands/modify/polyline_corners.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"

namespace {

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }

// Takes the old entity out of the drawing in favour of the new one, which
// has its properties; both recorded so that Undo brings the old one back.
void ReplaceEntity(FcEntity& old, FcEntity* replacement, FcEntSetsUndoItem& item, FcGraph& graph) {
  if (replacement == nullptr) return;
  replacement->CopyProperties(&old);
  graph.AddEntityKeepLayer(replacement);
  item.Record(kUndoCreated, replacement);
  item.Record(kUndoErased, &old);
  delete graph.RemoveEntity(&old);
  graph.DrawEntity(replacement);
}

void ReplaceRayByLine(FcRay& ray, const FcPoint2d& t, FcEntSetsUndoItem& item, FcGraph& graph) {
  FcLine* line = NewEntityOrReport<FcLine>();
  if (line == nullptr) return;
  line->SetStartPoint(ray.GetBasePoint());
  line->SetEndPoint(t);
  ReplaceEntity(ray, line, item, graph);
}

void MoveRayBase(FcRay& ray, const FcPoint2d& t, FcEntSetsUndoItem& item, FcGraph& graph) {
  item.Record(kUndoChanged, &ray);
  ray.SetBasePoint(t);
  graph.RedrawEntity(&ray);
}

void ReplaceXLineByRay(FcXLine& xline, const FcPoint2d& base, const FcPoint2d& direction, FcEntSetsUndoItem& item,
                       FcGraph& graph) {
  FcRay* ray = NewEntityOrReport<FcRay>();
  if (ray == nullptr) return;
  ray->SetBasePoint(base);
  ray->SetDirection(direction);
  ReplaceEntity(xline, ray, item, graph);
}

}  // namespace

void TrimLineToPoint(FcLine& line, const FcPoint2d& t, const FcPoint2d& corner) {
  const FcPoint2d s = line.GetStartPoint();
  const FcPoint2d e = line.GetEndPoint();
  if (IsSamePoint(t, corner)) {
    if (DistanceBetween(e, corner) <= DistanceBetween(s, corner)) {
      line.SetEndPoint(t);
    } else {
      line.SetStartPoint(t);
    }
    return;
  }
  const FcPoint2d d = t - corner;
  const double a = Dot(s - corner, d);
  const double b = Dot(e - corner, d);
  const bool startAhead = a > kTolerance;
  const bool endAhead = b > kTolerance;
  if (!startAhead && !endAhead) return;
  if (startAhead && endAhead ? a < b : endAhead) {
    line.SetStartPoint(t);
  } else {
    line.SetEndPoint(t);
  }
}

void TrimRayToPoint(const FcPoint2d& t, FcRay& ray, const FcPoint2d& corner, FcEntSetsUndoItem& item,
                    FcGraph& graph) {
  const FcPoint2d& base = ray.GetBasePoint();
  if (Dot(ray.GetDirection(), corner - base) < 0.0 || Dot(base - corner, t - corner) < 0.0) {
    MoveRayBase(ray, t, item, graph);
    return;
  }
  ReplaceRayByLine(ray, t, item, graph);
}

void XLineToRayAtPoint(const FcPoint2d& t, FcXLine& xline, const FcPoint2d& corner, FcEntSetsUndoItem& item,
                       FcGraph& graph) {
  ReplaceXLineByRay(xline, t, IsSamePoint(t, corner) ? xline.GetDirection() : t - corner, item, graph);
}

void TrimLineBesideCircle(FcLine& line, const TangentLeave& leave) {
  const FcPoint2d s = line.GetStartPoint();
  const FcPoint2d e = line.GetEndPoint();
  const FcPoint2d& t = leave.t;
  if (IsSamePoint(leave.filletCentre, t)) {
    // Without an arc there is no side of it to go by: the end away from the
    // picked part goes.
    if (Dot(s - t, leave.away) <= Dot(e - t, leave.away)) {
      line.SetStartPoint(t);
    } else {
      line.SetEndPoint(t);
    }
    return;
  }
  const auto side = [&](const FcPoint2d& p) { return Orientation3(leave.filletCentre, p, t); };
  const int arcSide = side(leave.circleTangent);
  if (side(s) == arcSide) {
    line.SetStartPoint(t);
  } else if (side(e) == arcSide) {
    line.SetEndPoint(t);
  } else if (DistanceBetween(e, t) > DistanceBetween(s, t)) {
    line.SetStartPoint(t);
  } else {
    line.SetEndPoint(t);
  }
}

void TrimRayBesideCircle(FcRay& ray, const TangentLeave& leave, FcEntSetsUndoItem& item, FcGraph& graph) {
  const FcPoint2d& base = ray.GetBasePoint();
  if (Dot(ray.GetDirection(), leave.t - base) >= 0.0 && Dot(leave.away, leave.t - base) < 0.0) {
    ReplaceRayByLine(ray, leave.t, item, graph);
    return;
  }
  MoveRayBase(ray, leave.t, item, graph);
}

void XLineBesideCircleToRay(FcXLine& xline, const TangentLeave& leave, FcEntSetsUndoItem& item, FcGraph& graph) {
  const FcPoint2d& d = xline.GetDirection();
  FcPoint2d base = xline.GetBasePoint();
  // A base behind t is moved back far enough that t lies ahead of it.
  if (Dot(d, leave.t - base) < 0.0) base = base - 2.0 * DistanceBetween(base, leave.t) * d;
  ReplaceXLineByRay(xline, leave.t, Dot(leave.away, leave.t - base) >= 0.0 ? d : -d, item, graph);
}

void ReplaceArcEndAngle(FcArc& arc, const FcPoint2d& tangent, bool filletStartsHere, bool filletOutside) {
  const double angle = NormalAngleAbout(arc.GetCenter(), tangent);
  if (filletStartsHere == filletOutside) {
    arc.SetStartAngle(angle);
  } else {
    arc.SetEndAngle(angle);
  }
}

void TrimStraightEdgeToPoint(FcEntity& edge, const FcPoint2d& t, const FcPoint2d& corner, FcEntSetsUndoItem& item,
                             FcGraph& graph) {
  if (auto* line = dynamic_cast<FcLine*>(&edge)) {
    item.Record(kUndoChanged, line);
    TrimLineToPoint(*line, t, corner);
    graph.RedrawEntity(line);
  } else if (auto* ray = dynamic_cast<FcRay*>(&edge)) {
    TrimRayToPoint(t, *ray, corner, item, graph);
  } else if (auto* xline = dynamic_cast<FcXLine*>(&edge)) {
    XLineToRayAtPoint(t, *xline, corner, item, graph);
  }
}

void TrimLineAndPolylineEnd(FcLine& line, const FcPoint2d& t, const FcPoint2d& corner, FcPolyline& polyline,
                            int endVertex, const FcPoint2d& endPoint, FcEntSetsUndoItem& item, FcGraph& graph) {
  item.Record(kUndoChanged, &line);
  item.Record(kUndoChanged, &polyline);
  MoveVertex(polyline, endVertex, endPoint);
  TrimLineToPoint(line, t, corner);
  graph.RedrawEntity(&line);
  graph.RedrawEntity(&polyline);
}
