#include <memory>

#include "commands/command_support.h"
#include "commands/modify/break_operations.h"
#include "commands/modify/entity_pieces.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/line.h"
#include "entities/ray.h"
#include "entities/xline.h"

namespace {

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }
FcPoint2d Minus(const FcPoint2d& a, const FcPoint2d& b) { return {a.x - b.x, a.y - b.y}; }

// The foot of p on the line through a and b; a when the line has no
// direction.
FcPoint2d Foot(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p) {
  FcPoint2d foot = a;
  FootOfPerpendicular(a, b, p, foot);
  return foot;
}

// The feet of the two break points on an unbounded line.
struct Feet {
  FcPoint2d base;
  FcPoint2d d;
  FcPoint2d first;
  FcPoint2d second;
};

Feet FeetOn(const FcUnboundedLine& line, const BreakPoints& at) {
  const FcPoint2d base = line.GetBasePoint();
  const FcPoint2d d = line.GetDirection();
  const FcPoint2d ahead{base.x + d.x, base.y + d.y};
  return {base, d, Foot(base, ahead, at.first), Foot(base, ahead, at.second)};
}

void Finish(FcGraph& graph, FcEntSetsUndoItem& undo, FcEntity& entity, std::unique_ptr<FcEntity> piece) {
  AddNewPiece(graph, undo, piece.release());
  graph.RedrawEntity(&entity);
  graph.Redraw();
}

}  // namespace

void BreakLine(FcLine& line, const BreakPoints& at) {
  const FcPoint2d s = line.GetStartPoint();
  const FcPoint2d e = line.GetEndPoint();
  if (!IsDifferentPoint(s, e)) return;
  FcPoint2d f1 = Foot(s, e, at.first);
  FcPoint2d f2 = Foot(s, e, at.second);
  if (!IsBetween(s, e, f1)) f1 = DistanceBetween(f1, s) <= DistanceBetween(f1, e) ? s : e;
  const bool f1AtEnd = IsSamePoint(f1, s) || IsSamePoint(f1, e);
  std::unique_ptr<FcEntity> copy;
  const auto split = [&](const FcPoint2d& endAt, const FcPoint2d& startAt) {
    copy.reset(line.Clone());
    if (!copy) {
      PrintMessage(kNoMemoryMessage);
      return;
    }
    line.SetEndPoint(endAt);
    static_cast<FcLine&>(*copy).SetStartPoint(startAt);
  };
  if (IsSamePoint(f1, f2)) {
    if (f1AtEnd) return;
    at.undo.Record(kUndoChanged, &line);
    split(f1, f1);
  } else if (!IsBetween(s, e, f2)) {
    if (f1AtEnd) return;
    at.undo.Record(kUndoChanged, &line);
    if (Dot(Minus(e, s), Minus(f2, s)) >= 0.0) {
      line.SetEndPoint(f1);
    } else {
      line.SetStartPoint(f1);
    }
  } else {
    at.undo.Record(kUndoChanged, &line);
    if (DistanceBetween(f2, s) < DistanceBetween(f1, s)) std::swap(f1, f2);
    const bool fromStart = IsSamePoint(f1, s);
    const bool toEnd = IsSamePoint(f2, e);
    if (fromStart && !toEnd) {
      line.SetStartPoint(f2);
    } else if (toEnd && !fromStart) {
      line.SetEndPoint(f1);
    } else if (!fromStart) {
      split(f1, f2);
    }
  }
  Finish(at.graph, at.undo, line, std::move(copy));
}

void BreakRay(FcRay& ray, const BreakPoints& at) {
  const Feet feet = FeetOn(ray, at);
  const FcPoint2d& base = feet.base;
  const FcPoint2d& d = feet.d;
  FcPoint2d f1 = feet.first;
  const FcPoint2d f2 = feet.second;
  if (Dot(Minus(f1, base), d) < 0.0) f1 = base;
  const bool f2OnRay = Dot(Minus(f2, base), d) >= 0.0;
  if (IsSamePoint(f1, base)) {
    if (!IsDifferentPoint(f2, f1) || !f2OnRay) return;
    at.undo.Record(kUndoChanged, &ray);
    ray.SetBasePoint(f2);
    Finish(at.graph, at.undo, ray, nullptr);
    return;
  }
  at.undo.Record(kUndoChanged, &ray);
  if (!f2OnRay) {
    ray.SetBasePoint(f1);
    Finish(at.graph, at.undo, ray, nullptr);
    return;
  }
  const bool f1Nearer = DistanceBetween(f1, base) <= DistanceBetween(f2, base);
  const FcPoint2d nearer = f1Nearer ? f1 : f2;
  std::unique_ptr<FcLine> line(NewEntityOrReport<FcLine>());
  if (!line) return;
  line->CopyProperties(&ray);
  line->SetStartPoint(base);
  line->SetEndPoint(nearer);
  ray.SetBasePoint(IsSamePoint(f1, f2) ? f1 : f1Nearer ? f2 : f1);
  Finish(at.graph, at.undo, ray, std::move(line));
}

void BreakXLine(FcXLine& line, const BreakPoints& at) {
  const Feet feet = FeetOn(line, at);
  const FcPoint2d& d = feet.d;
  FcPoint2d low = feet.first;
  FcPoint2d high = feet.second;
  const bool onePoint = IsSamePoint(low, high);
  if (!onePoint && Dot(Minus(high, low), d) < 0.0) std::swap(low, high);
  std::unique_ptr<FcRay> rays[2] = {std::unique_ptr<FcRay>(NewEntityOrReport<FcRay>()),
                                    std::unique_ptr<FcRay>(NewEntityOrReport<FcRay>())};
  if (!rays[0] || !rays[1]) return;
  const FcPoint2d back{-d.x, -d.y};
  for (auto& ray : rays) ray->CopyProperties(&line);
  rays[0]->SetBasePoint(low);
  rays[0]->SetDirection(onePoint ? d : back);
  rays[1]->SetBasePoint(high);
  rays[1]->SetDirection(onePoint ? back : d);
  TakeOutErased(at.graph, at.undo, line);
  delete &line;
  for (auto& ray : rays) AddNewPiece(at.graph, at.undo, ray.release());
  at.graph.Redraw();
}
