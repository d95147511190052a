#include <memory>
#include <new>

#include "commands/command_support.h"
#include "commands/modify/crossing_sides.h"
#include "commands/modify/trim_operations.h"
#include "core/extend_edge_list.h"
#include "core/geometry_basics.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/line.h"
#include "entities/ray.h"
#include "entities/xline.h"

namespace {

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }
FcPoint2d Minus(const FcPoint2d& a, const FcPoint2d& b) { return {a.x - b.x, a.y - b.y}; }

// A new line with the properties of the entity it replaces part of.
FcLine* NewLineLike(const FcEntity& model, const FcPoint2d& start, const FcPoint2d& end) {
  FcLine* line = NewEntityOrReport<FcLine>();
  if (line == nullptr) return nullptr;
  line->CopyProperties(&model);
  line->SetStartPoint(start);
  line->SetEndPoint(end);
  return line;
}

// The crossings of the line from p1 through p2 split by the side of the
// pick they lie on, the p1 side first; false when there are none.
bool CrossingsBySide(const EdgePick& pick, const FcPoint2d& p1, const FcPoint2d& p2, ExtendLineKind kind,
                     CrossingSides& sides) {
  FcPoint2dArray crossings;
  if (pick.edges.LineCrossings(p1, p2, kind, pick.extendEdges, crossings) == 0) return false;
  const FcPoint2d towardsP1 = Minus(p1, p2);
  sides = NearestCrossingsBySide(
      crossings, pick.point, [&](const FcPoint2d& x) { return Dot(towardsP1, Minus(x, pick.point)) >= 0.0; });
  return true;
}

}  // namespace

void TrimLine(FcLine& line, const EdgePick& pick) {
  const FcPoint2d start = line.GetStartPoint();
  const FcPoint2d end = line.GetEndPoint();
  CrossingSides sides;
  if (!CrossingsBySide(pick, start, end, kExtendSegment, sides)) return;
  if (sides.hasA && IsSamePoint(sides.a, start)) sides.hasA = false;
  if (sides.hasB && IsSamePoint(sides.b, end)) sides.hasB = false;
  if (!sides.hasA && !sides.hasB) return;
  std::unique_ptr<FcLine> copy;
  if (sides.hasA && sides.hasB) {
    copy.reset(static_cast<FcLine*>(line.Clone()));
    if (!copy) {
      PrintMessage(kNoMemoryMessage);
      return;
    }
  }
  pick.undo.Record(kUndoChanged, &line);
  if (sides.hasA) line.SetEndPoint(sides.a);
  if (copy) {
    copy->SetStartPoint(sides.b);
    AddNewPiece(pick.graph, pick.undo, copy.release());
  } else if (sides.hasB) {
    line.SetStartPoint(sides.b);
  }
  pick.graph.RedrawEntity(&line);
  pick.graph.Redraw();
}

void TrimRay(FcRay& ray, const EdgePick& pick) {
  const FcPoint2d base = ray.GetBasePoint();
  const FcPoint2d& d = ray.GetDirection();
  const FcPoint2d ahead{base.x + d.x, base.y + d.y};
  CrossingSides sides;
  if (!CrossingsBySide(pick, base, ahead, kExtendRay, sides)) return;
  if (sides.hasA && IsSamePoint(sides.a, base)) sides.hasA = false;
  if (!sides.hasA) {
    if (!sides.hasB) return;
    pick.undo.Record(kUndoChanged, &ray);
    ray.SetBasePoint(sides.b);
    pick.graph.RedrawEntity(&ray);
    pick.graph.Redraw();
    return;
  }
  FcLine* line = NewLineLike(ray, base, sides.a);
  if (line == nullptr) return;
  if (!sides.hasB) {
    AddNewPiece(pick.graph, pick.undo, line);
    TakeOutErased(pick.graph, pick.undo, ray);
    delete &ray;
    pick.graph.Redraw();
    return;
  }
  pick.undo.Record(kUndoChanged, &ray);
  ray.SetBasePoint(sides.b);
  AddNewPiece(pick.graph, pick.undo, line);
  pick.graph.RedrawEntity(&ray);
  pick.graph.Redraw();
}

void TrimXLine(FcXLine& line, const EdgePick& pick) {
  const FcPoint2d base = line.GetBasePoint();
  const FcPoint2d& d = line.GetDirection();
  FcPoint2dArray crossings;
  if (pick.edges.LineCrossings(base, {base.x + d.x, base.y + d.y}, kExtendInfinite, pick.extendEdges, crossings) ==
      0) {
    return;
  }
  FcPoint2d foot = base;
  FootOfPerpendicular(base, {base.x + d.x, base.y + d.y}, pick.point, foot);
  const FcPoint2d away = IsSamePoint(foot, base) ? FcPoint2d{-d.x, -d.y} : Minus(base, foot);
  const CrossingSides sides = NearestCrossingsBySide(
      crossings, pick.point, [&](const FcPoint2d& x) { return Dot(Minus(x, pick.point), away) >= 0.0; });
  std::unique_ptr<FcRay> rays[2];
  const bool has[2] = {sides.hasA, sides.hasB};
  const FcPoint2d at[2] = {sides.a, sides.b};
  for (int i = 0; i < 2; ++i) {
    if (!has[i]) continue;
    rays[i].reset(NewEntityOrReport<FcRay>());
    if (!rays[i]) return;
    rays[i]->CopyProperties(&line);
    rays[i]->SetBasePoint(at[i]);
    rays[i]->SetDirection(i == 0 ? away : FcPoint2d{-away.x, -away.y});
  }
  if (!rays[0] && !rays[1]) return;
  for (auto& ray : rays) {
    if (ray) pick.graph.AddEntityKeepLayer(ray.get());
  }
  TakeOutErased(pick.graph, pick.undo, line);
  for (auto& ray : rays) {
    if (!ray) continue;
    pick.undo.Record(kUndoCreated, ray.get());
    pick.graph.DrawEntity(ray.release());
  }
  delete &line;
  pick.graph.Redraw();
}
