#include "display/drag_grip_point.h"

#include "core/matrix2d.h"
#include "database/entity.h"
#include "database/graph.h"
#include "display/display_surface.h"

GripEditItem::GripEditItem() = default;
GripEditItem::~GripEditItem() = default;

void GripEditItem::Set(FcEntity* target, const CIntArray& pointIndices) {
  indices.RemoveAll();
  for (int i = 0; i < pointIndices.count; ++i) indices.Add(pointIndices[i]);
  entity = target;
  clone.reset(target != nullptr ? target->Clone() : nullptr);
}

GripEditItem& FcDragGripPoint::AddItem() { return *items_.emplace_back(std::make_unique<GripEditItem>()); }

void FcDragGripPoint::Clear() { items_.clear(); }

void FcDragGripPoint::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  FcPoint2d world = point;
  if (drawing != nullptr) TransformPoint(drawing->GetSysVars().UcsToWorld, world);
  offset = FcPoint2d{world.x - basePoint.x, world.y - basePoint.y};
  for (const std::unique_ptr<GripEditItem>& item : items_) {
    if (!item->clone) continue;
    if (item->moveKind == 1) {
      item->clone->MoveStretchPoints(item->indices, offset);
    } else {
      item->clone->MoveGripPoints(item->indices, offset);
    }
    item->clone->Draw(surface);
    // The next movement starts again from the entity as it is.
    item->clone->Copy(item->entity);
  }
}
