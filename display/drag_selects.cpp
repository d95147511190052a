#include "display/drag_selects.h"

#include <memory>

#include "core/point_ops.h"
#include "database/entity.h"
#include "database/graph.h"
#include "display/display_surface.h"

namespace {

FcPoint2d UcsToWorld(const FcGraph* drawing, FcPoint2d p) {
  if (drawing != nullptr) TransformPoint(drawing->GetSysVars().UcsToWorld, p);
  return p;
}

}  // namespace

FcDragSelects::~FcDragSelects() { clones_.RemoveAll(true); }

void FcDragSelects::SetEntities(const FcEntitySets& entities) {
  clones_.RemoveAll(true);
  for (const FcEntity* entity : entities) {
    if (entity == nullptr) continue;
    FcEntity* clone = entity->Clone();
    if (clone != nullptr && !clones_.Add(clone)) delete clone;
  }
}

bool FcDragSelects::BuildMatrix(FcGraph* drawing, const FcPoint2d& cursorUcs) {
  const FcPoint2d base = UcsToWorld(drawing, basePoint);
  const FcPoint2d cursor = UcsToWorld(drawing, cursorUcs);
  const double distance = DistanceBetween(base, cursor);
  switch (transform) {
    case kMove:
      TranslationMatrix(cursor.x - base.x, cursor.y - base.y, matrix);
      return true;
    case kRotate:
    case kRotateByReference: {
      // A cursor on the base point gives angle 0, not atan2's guess.
      double angle = distance > 0.0 ? AngleFromTo(basePoint, cursorUcs) : 0.0;
      if (transform == kRotateByReference) angle -= referenceAngle;
      RotationMatrix(base.x, base.y, angle, matrix);
      return true;
    }
    case kScale:
    case kScaleByReference: {
      double factor = distance;
      if (transform == kScaleByReference) {
        if (!(referenceLength > 0.0)) return false;
        factor /= referenceLength;
      }
      if (!(factor > 0.0)) return false;
      ScaleAboutPointMatrix(base.x, base.y, factor, matrix);
      return true;
    }
    case kMirror:
      MirrorMatrix(base.x, base.y, cursor.x, cursor.y, matrix);
      return true;
    default:
      return false;
  }
}

void FcDragSelects::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  if (surface == nullptr || !BuildMatrix(drawing, point)) return;
  int begin = 0;
  int end = 0;
  surface->PreviewRange(clones_.GetCount(), begin, end);
  for (int i = begin; i < end; ++i) {
    std::unique_ptr<FcEntity> moved(clones_.GetAt(i)->TransformedClone(matrix));
    if (moved) moved->Draw(surface);
  }
}
