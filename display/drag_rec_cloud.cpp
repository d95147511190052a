#include "display/drag_rec_cloud.h"

#include "core/arcs.h"
#include "core/matrix2d.h"
#include "core/point_in_polygon.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "entities/polyline.h"

namespace {

FcPoint2d CentroidOf(const std::vector<FcPoint2d>& points, std::size_t first) {
  const FcPoint2d& a = points[first];
  const FcPoint2d& b = points[first + 1];
  const FcPoint2d& c = points[first + 2];
  return {(a.x + b.x + c.x) / 3.0, (a.y + b.y + c.y) / 3.0};
}

constexpr int kInsideCounterClockwise = 1;
constexpr int kInsideClockwise = 2;

bool IsInside(int where) { return where == kInsideCounterClockwise || where == kInsideClockwise; }

}  // namespace

FcDragRecCloud::FcDragRecCloud() { mode = 2; }

void FcDragRecCloud::Start(FcPolyline* cloud) {
  cloud_ = cloud;
  placed_.clear();
  referencePending_ = true;
  if (cloud_ == nullptr || cloud_->GetVertexCount() == 0) return;
  const FcPoint2d first = VertexPoint(*cloud_->GetVertex(0));
  placed_.push_back(first);
  line_.SetStartPoint(first);
}

bool FcDragRecCloud::HasRoom() const { return cloud_->GetVertexCount() < kMaxVertices; }

int FcDragRecCloud::RequiredBulgeSign() {
  if (placed_.size() <= 2) return -1;
  if (referencePending_) {
    reference_ = CentroidOf(placed_, 0);
    referencePending_ = false;
  }
  int where = PointInPolygon(reference_, placed_);
  for (std::size_t i = 0; !IsInside(where) && i + 3 <= placed_.size(); ++i) {
    reference_ = CentroidOf(placed_, i);
    where = PointInPolygon(reference_, placed_);
  }
  return where == kInsideClockwise ? -1 : 1;
}

void FcDragRecCloud::AppendVertex(const FcPoint2d& point) {
  const PolylineVertex last = *cloud_->GetVertex(cloud_->GetVertexCount() - 1);
  cloud_->AppendVertex(point, 0.0, last.endWidth, last.bulge);
  placed_.push_back(point);
  line_.SetStartPoint(point);
}

void FcDragRecCloud::TurnBulgesOutward() {
  const int count = cloud_->GetVertexCount();
  const double bulge = cloud_->GetVertex(count - 1)->bulge;
  if ((bulge < 0.0 ? -1 : 1) == RequiredBulgeSign()) return;
  const double flipped = -cloud_->GetVertex(0)->bulge;
  for (int i = 0; i < count; ++i) cloud_->SetVertexBulge(i, flipped);
}

bool FcDragRecCloud::DrawTest(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point, int extra) {
  if (cloud_ == nullptr || cloud_->GetVertexCount() == 0) return false;
  FcPoint2d cursor = point;
  if (drawing != nullptr) TransformPoint(drawing->GetSysVars().UcsToWorld, cursor);
  const PolylineVertex& lastVertex = *cloud_->GetVertex(cloud_->GetVertexCount() - 1);
  FcPoint2d q = VertexPoint(lastVertex);
  const double bulge = lastVertex.bulge;
  const int countBefore = cloud_->GetVertexCount();
  if (extra != 0) {
    if (HasRoom()) AppendVertex(cursor);
  } else {
    const FcPoint2d first = VertexPoint(*cloud_->GetVertex(0));
    if (cloud_->GetVertexCount() > 2 && DistanceBetween(cursor, first) <= maxArcLength &&
        BulgeSegmentLength(q, first, bulge) <= maxArcLength) {
      cloud_->SetClosed(true);
      return true;
    }
    double length = BulgeSegmentLength(q, cursor, bulge);
    if (length > minArcLength) {
      while (length > maxArcLength && HasRoom()) {
        FcPoint2d target = cursor;
        do {
          target = q + 0.8 * (target - q);
        } while (BulgeSegmentLength(q, target, bulge) > maxArcLength && IsDifferentPoint(target, q));
        AppendVertex(target);
        q = target;
        length = BulgeSegmentLength(q, cursor, bulge);
      }
      if (length > 0.6 * minArcLength && HasRoom()) AppendVertex(cursor);
    }
  }
  if (cloud_->GetVertexCount() > countBefore) TurnBulgesOutward();
  if (surface == nullptr) return false;
  cloud_->Draw(surface);
  line_.SetEndPoint(cursor);
  line_.Draw(surface);
  return false;
}
