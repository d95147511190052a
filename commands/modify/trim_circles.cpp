#include <memory>

#include "commands/command_support.h"
#include "commands/modify/trim_operations.h"
#include "core/extend_edge_list.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/circle.h"

void TrimCircle(FcCircle& circle, const EdgePick& pick) {
  FcPoint2dArray crossings;
  if (pick.edges.ArcCrossings(circle.GetCenter(), circle.GetRadius(), 0.0, kTwoPi, pick.extendEdges, crossings) < 2) {
    return;
  }
  const double p = NormalAngleAbout(circle.GetCenter(), pick.point);
  double lo = 0.0;
  double hi = 0.0;
  for (int i = 0; i < crossings.count; ++i) {
    double a = NormalAngleAbout(circle.GetCenter(), crossings[i]);
    while (a < p) a += kTwoPi;
    if (i == 0 || a < lo) lo = a;
    if (i == 0 || a > hi) hi = a;
  }
  // Crossings that all fall on one point leave no arc to keep.
  if (hi - lo <= kTolerance) return;
  std::unique_ptr<FcArc> arc(NewEntityOrReport<FcArc>());
  if (!arc) return;
  arc->CopyProperties(&circle);
  arc->SetCenter(circle.GetCenter());
  arc->SetRadius(circle.GetRadius());
  TakeOutErased(pick.graph, pick.undo, circle);
  arc->SetStartAngle(lo);
  arc->SetEndAngle(hi);
  AddNewPiece(pick.graph, pick.undo, arc.release());
  pick.graph.Redraw();
  delete &circle;
}

void TrimArc(FcArc& arc, const EdgePick& pick) {
  const double s = arc.GetStartAngle();
  const double e = arc.GetEndAngle();
  FcPoint2dArray crossings;
  if (pick.edges.ArcCrossings(arc.GetCenter(), arc.GetRadius(), s, e, pick.extendEdges, crossings) == 0) return;
  double p = NormalAngleAbout(arc.GetCenter(), pick.point);
  while (p < s) p += kTwoPi;
  bool hasA = false;
  bool hasB = false;
  double a = 0.0;
  double b = 0.0;
  for (int i = 0; i < crossings.count; ++i) {
    double angle = NormalAngleAbout(arc.GetCenter(), crossings[i]);
    // A crossing at the start point computed a hair before it is the start.
    while (angle < s - kTolerance) angle += kTwoPi;
    if (angle < p) {
      if (!hasA || angle > a) a = angle;
      hasA = true;
    } else {
      if (!hasB || angle < b) b = angle;
      hasB = true;
    }
  }
  // A cut at the arc's own end would leave nothing there, and an end angle
  // set there would wrap the arc round into nearly a whole circle.
  if (hasA && IsEqual(a, s)) hasA = false;
  if (hasB && IsEqual(b, e)) hasB = false;
  if (!hasA && !hasB) return;
  std::unique_ptr<FcArc> copy;
  if (hasA && hasB) {
    copy.reset(static_cast<FcArc*>(arc.Clone()));
    if (!copy) {
      PrintMessage(kNoMemoryMessage);
      return;
    }
  }
  pick.undo.Record(kUndoChanged, &arc);
  if (hasA) arc.SetEndAngle(a);
  if (copy) {
    copy->SetStartAngle(b);
    AddNewPiece(pick.graph, pick.undo, copy.release());
  } else if (hasB) {
    arc.SetStartAngle(b);
  }
  pick.graph.RedrawEntity(&arc);
  pick.graph.Redraw();
}
