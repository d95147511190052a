#include "commands/modify/polyline_conversion.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/polyline.h"

namespace {

FcPolyline* NewPolylineLike(const FcEntity& source) {
  auto* polyline = new (std::nothrow) FcPolyline;
  if (polyline != nullptr) polyline->CopyProperties(&source);
  return polyline;
}

}  // namespace

FcPolyline* LineToPolyline(const FcLine* line) {
  if (line == nullptr) return nullptr;
  FcPolyline* polyline = NewPolylineLike(*line);
  if (polyline == nullptr) return nullptr;
  polyline->AppendVertex(line->GetStartPoint(), 0.0, 0.0, 0.0);
  polyline->AppendVertex(line->GetEndPoint(), 0.0, 0.0, 0.0);
  return polyline;
}

FcPolyline* ArcToPolyline(const FcArc* arc) {
  if (arc == nullptr) return nullptr;
  double sweep = arc->GetEndAngle() - arc->GetStartAngle();
  NormalizeAngle(sweep);
  // Equal angles make a full turn, which one bulge cannot carry.
  if (sweep == 0.0) return CircleToPolyline(arc);
  FcPolyline* polyline = NewPolylineLike(*arc);
  if (polyline == nullptr) return nullptr;
  polyline->AppendVertex(arc->GetStartPoint(), 0.0, 0.0, std::tan(sweep / 4.0));
  polyline->AppendVertex(arc->GetEndPoint(), 0.0, 0.0, 0.0);
  return polyline;
}

FcPolyline* CircleToPolyline(const FcCircle* circle) {
  if (circle == nullptr) return nullptr;
  FcPolyline* polyline = NewPolylineLike(*circle);
  if (polyline == nullptr) return nullptr;
  const FcPoint2d& centre = circle->GetCenter();
  const double r = circle->GetRadius();
  polyline->AppendVertex({centre.x + r, centre.y}, 0.0, 0.0, 1.0);
  polyline->AppendVertex({centre.x - r, centre.y}, 0.0, 0.0, 1.0);
  polyline->SetClosed(true);
  return polyline;
}

FcPolyline* ConvertToPolyline(const FcEntity& entity) {
  switch (entity.GetKind()) {
    case kEntityLine:
      return LineToPolyline(static_cast<const FcLine*>(&entity));
    case kEntityArc:
      return ArcToPolyline(static_cast<const FcArc*>(&entity));
    case kEntityCircle:
      return CircleToPolyline(static_cast<const FcCircle*>(&entity));
    default:
      return nullptr;
  }
}

bool IsConvertibleToPolyline(const FcEntity& entity) {
  const EntityKind kind = entity.GetKind();
  return kind == kEntityLine || kind == kEntityArc || kind == kEntityCircle;
}

FcPolyline* ReplaceByPolyline(FcGraph& graph, FcEntity* entity, FcEntSetsUndoItem& undo) {
  if (entity == nullptr) return nullptr;
  FcPolyline* polyline = ConvertToPolyline(*entity);
  if (polyline == nullptr) return nullptr;
  undo.Record(kUndoErased, entity);
  delete graph.RemoveEntity(entity);
  graph.AddEntityKeepLayer(polyline);
  undo.Record(kUndoCreated, polyline);
  return polyline;
}
