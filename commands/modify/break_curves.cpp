#include <algorithm>
#include <memory>

#include "commands/command_support.h"
#include "commands/modify/break_operations.h"
#include "commands/modify/entity_pieces.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/ellipse.h"

namespace {

double RaisedTo(double angle, double floor) {
  RaiseAngleTo(angle, floor);
  return angle;
}

// How an arc-like curve from s to e (e > s, angles as the curve stores
// them) is broken at the angles a1 and a2 of the two points.
struct CurveBreak {
  // Angles to set; a copy is made when both are set.
  bool setEnd = false;
  bool setStart = false;
  double end = 0.0;
  double start = 0.0;
};

// The break of the curve; nothing set when nothing would be removed or a
// piece would be left without length (which its angles would turn into a
// whole turn).
CurveBreak PlanCurveBreak(double s, double e, double a1, double a2) {
  CurveBreak plan;
  if (IsEqual(a1, a2)) {
    a1 = RaisedTo(a1, s);
    if (a1 <= s + kTolerance || a1 >= e - kTolerance) return plan;
    plan = {true, true, a1, a1};
    return plan;
  }
  a1 = RaisedTo(a1, s);
  a2 = RaisedTo(a2, s);
  if (a1 > e) a1 = e;
  if (a2 >= e) {
    if (a2 < (s + e) / 2 + kPi) {
      if (a1 > s + kTolerance && a1 < e - kTolerance) plan.setEnd = true;
    } else if (a1 > s + kTolerance && a1 < e - kTolerance) {
      plan.setStart = true;
    }
    plan.end = plan.start = a1;
    return plan;
  }
  const double lo = std::min(a1, a2);
  const double hi = std::max(a1, a2);
  const bool keepsStart = lo > s + kTolerance;
  const bool keepsEnd = hi < e - kTolerance;
  plan.setEnd = keepsStart;
  plan.end = lo;
  plan.setStart = keepsEnd;
  plan.start = hi;
  return plan;
}

// Applies the plan: the curve keeps its start piece (ending at plan.end)
// and a copy its end piece (starting at plan.start) when both are set.
template <typename Curve, typename SetEnd, typename SetStart>
void ApplyCurveBreak(Curve& curve, const CurveBreak& plan, const BreakPoints& at, SetEnd setEnd, SetStart setStart) {
  std::unique_ptr<Curve> copy;
  if (plan.setEnd && plan.setStart) {
    copy.reset(static_cast<Curve*>(curve.Clone()));
    if (!copy) {
      PrintMessage(kNoMemoryMessage);
      return;
    }
    setEnd(curve, plan.end);
    setStart(*copy, plan.start);
  } else if (plan.setEnd) {
    setEnd(curve, plan.end);
  } else if (plan.setStart) {
    setStart(curve, plan.start);
  }
  AddNewPiece(at.graph, at.undo, copy.release());
  at.graph.RedrawEntity(&curve);
  at.graph.Redraw();
}

}  // namespace

void BreakCircle(FcCircle& circle, const BreakPoints& at) {
  const double a1 = NormalAngleAbout(circle.GetCenter(), at.first);
  const double a2 = NormalAngleAbout(circle.GetCenter(), at.second);
  if (IsEqual(a1, a2)) return;
  std::unique_ptr<FcArc> arc(NewEntityOrReport<FcArc>());
  if (!arc) return;
  arc->CopyProperties(&circle);
  arc->SetCenter(circle.GetCenter());
  arc->SetRadius(circle.GetRadius());
  arc->SetStartAngle(a2);
  arc->SetEndAngle(a1);
  AddNewPiece(at.graph, at.undo, arc.release());
  TakeOutErased(at.graph, at.undo, circle);
  delete &circle;
  at.graph.Redraw();
}

void BreakArc(FcArc& arc, const BreakPoints& at) {
  at.undo.Record(kUndoChanged, &arc);
  const CurveBreak plan =
      PlanCurveBreak(arc.GetStartAngle(), arc.GetEndAngle(), NormalAngleAbout(arc.GetCenter(), at.first),
                     NormalAngleAbout(arc.GetCenter(), at.second));
  ApplyCurveBreak(
      arc, plan, at, [](FcArc& a, double angle) { a.SetEndAngle(angle); },
      [](FcArc& a, double angle) { a.SetStartAngle(angle); });
}

void BreakEllipse(FcEllipse& ellipse, const BreakPoints& at) {
  const double p1 = NormalAngleAbout(ellipse.GetCenter(), at.first);
  const double p2 = NormalAngleAbout(ellipse.GetCenter(), at.second);
  const double rotation = ellipse.GetRotation();
  double r1 = p1 - rotation;
  double r2 = p2 - rotation;
  NormalizeAngle(r1);
  NormalizeAngle(r2);
  // The setters take directions from the centre, not angles from the axis.
  const auto setEnd = [rotation](FcEllipse& e, double angle) { e.SetEndAngle(angle + rotation); };
  const auto setStart = [rotation](FcEllipse& e, double angle) { e.SetStartAngle(angle + rotation); };
  if (ellipse.IsFull()) {
    if (IsEqual(p1, p2)) return;
    at.undo.Record(kUndoChanged, &ellipse);
    setEnd(ellipse, std::min(r1, r2));
    setStart(ellipse, std::max(r1, r2));
    at.graph.RedrawEntity(&ellipse);
    at.graph.Redraw();
    return;
  }
  at.undo.Record(kUndoChanged, &ellipse);
  ApplyCurveBreak(ellipse, PlanCurveBreak(ellipse.GetStartAngle(), ellipse.GetEndAngle(), r1, r2), at, setEnd,
                  setStart);
}
