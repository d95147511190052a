#pragma once

#include <memory>
#include <vector>

#include "core/data_array.h"
#include "core/point2d.h"
#include "display/drag_object.h"

class FcEntity;

// One entity of a grip drag: which of its points move, and a private clone
// on which the preview moves them.
struct GripEditItem {
  GripEditItem();
  ~GripEditItem();
  GripEditItem(const GripEditItem&) = delete;
  GripEditItem& operator=(const GripEditItem&) = delete;

  // Binds the entity, copies the indices and makes a fresh clone.
  void Set(FcEntity* target, const CIntArray& pointIndices);

  // 0 the indices are grip points, 1 stretch points.
  int moveKind = 0;
  FcEntity* entity = nullptr;  // not owned
  std::unique_ptr<FcEntity> clone;
  CIntArray indices;
};

// The rubber band of grip editing: each item's clone is shown with its
// chosen points moved by the cursor's offset from the base point.
class FcDragGripPoint : public FcDragObject {
 public:
  FcDragGripPoint() { mode = 1; }

  GripEditItem& AddItem();
  void Clear();
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  GripEditItem& GetItem(int index) { return *items_[static_cast<std::size_t>(index)]; }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;

  // World coordinates.
  FcPoint2d basePoint;
  // Of the last preview, from the base point.
  FcPoint2d offset;

 private:
  std::vector<std::unique_ptr<GripEditItem>> items_;
};
