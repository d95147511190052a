#pragma once

#include <cstdint>

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/entity_sets.h"
#include "display/drag_object.h"

// The preview of Move, Copy, Rotate, Scale and Mirror: clones of the
// selection, transformed for the cursor and drawn into the preview group.
// The stored clones never change and the drawing is never read during the
// drag. Each clone is one item of a sliced preview (FcPreviewSlice).
class FcDragSelects : public FcDragObject {
 public:
  enum Transform : std::int32_t {
    kMove = 0,
    kRotate = 1,
    kRotateByReference = 2,
    kScale = 3,
    kScaleByReference = 4,
    kMirror = 5,
  };

  FcDragSelects() { mode = 1; }
  FcDragSelects(const FcDragSelects&) = delete;
  FcDragSelects& operator=(const FcDragSelects&) = delete;
  ~FcDragSelects() override;

  // Replaces the clones by clones of the set's entities, in order. The
  // earlier clones are deleted: this object owns every clone it made.
  void SetEntities(const FcEntitySets& entities);
  const FcEntitySets& GetClones() const { return clones_; }
  // The length that kScaleByReference divides by; a value of 0 or below
  // leaves the one held.
  void SetScaleReference(double length) {
    if (length > 0.0) referenceLength = length;
  }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;

  std::int32_t transform = kMove;
  // The matrix of the last preview.
  FcMatrix2d matrix;
  double referenceLength = 1.0;
  double referenceAngle = 0.0;
  // In the UCS.
  FcPoint2d basePoint;

 private:
  // False when the cursor gives no transformation (a scale of zero).
  bool BuildMatrix(FcGraph* drawing, const FcPoint2d& cursorUcs);

  FcEntitySets clones_{128};
};
