#pragma once

#include <vector>

#include "core/data_array.h"
#include "core/point2d.h"
#include "display/display_group.h"

class FcDisplaySurface;
class FcDragGripPoint;
class FcEntity;

// The grip squares of one selected entity, kept in the surface's grip group
// so that they are drawn after everything else and never printed. Each
// point has a state: 0 normal, 1 hot (being dragged).
class FcGripPoint : public FcGripMarker {
 public:
  FcGripPoint() : FcGripMarker(0, 0) {}

  // Binds the owner and takes a copy of its grip points, all normal.
  void SetPoints(FcEntity* owner, const FcPoint2dArray& points);

  void Transform(const FcMatrix2d& matrix) override;
  // One square per point inside the view, in the hot or normal grip colour.
  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface&) override {}
  // Leaves the outputs alone when there are no points.
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;
  // True when a grip lies in the box (edges included); remembers the hit
  // nearest the box centre, the first one on a tie.
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  const FcEntity* GetOwnerEntity() const override { return owner_; }
  void ResetGripStates() override;
  FcPoint2d GetFoundGripPoint() const override { return found_; }

  FcEntity* GetOwner() const { return owner_; }
  const std::vector<FcPoint2d>& GetPoints() const { return points_; }
  const std::vector<int>& GetStates() const { return states_; }
  // 1 draws the grip hot, 0 normal; nothing for an index out of range.
  void SetState(int index, int state);
  double GetFoundDistance() const { return foundDistance_; }
  // Makes hot every point within tolerance of the grip (both coordinates)
  // and the others normal; the indices of the hot points.
  CIntArray MarkHotNear(const FcPoint2d& grip, double tolerance);

 private:
  FcEntity* owner_ = nullptr;  // not owned
  std::vector<FcPoint2d> points_;
  std::vector<int> states_;
  FcPoint2d found_;
  double foundDistance_ = 0.0;
};

// Looks for a grip under the pick point (world coordinates) among the
// surface's grip markers. On a hit every coincident grip of every marker
// becomes hot, the drag gets one item per entity with hot grips and its
// base point becomes the grip found; false (nothing changed) otherwise.
// The caller clears the drag first.
bool FindGripAt(const FcPoint2d& pick, FcDisplaySurface& surface, FcDragGripPoint& drag);
