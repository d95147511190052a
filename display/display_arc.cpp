#include "display/display_arc.h"

#include <algorithm>
#include <cmath>

#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

// Relative difference allowed between the two axes' scales.
constexpr double kRoundTolerance = 1e-9;

bool Close(double a, double b) { return std::fabs(a - b) <= kRoundTolerance * std::max(std::fabs(a), std::fabs(b)); }

}  // namespace

bool KeepsCirclesRound(const FcMatrix2d& matrix) {
  const double determinant = matrix.a * matrix.e - matrix.b * matrix.d;
  return determinant > 0.0 && Close(matrix.a, matrix.e) && Close(matrix.b, -matrix.d);
}

FcDsArc::FcDsArc(FcHandle entityHandle, int partTag, const FcPoint2d& centre, double radius, double startAngle,
                 double endAngle, bool full)
    : FcDsPolyline(entityHandle, partTag),
      centre_(centre),
      radius_(radius),
      startAngle_(startAngle),
      endAngle_(endAngle),
      full_(full) {}

void FcDsArc::Transform(const FcMatrix2d& matrix) {
  FcDsPolyline::Transform(matrix);
  PlaceCurve(matrix);
}

void FcDsArc::PlaceCurve(const FcMatrix2d& matrix) {
  if (!KeepsCirclesRound(matrix)) {
    curveKept_ = false;
    return;
  }
  TransformPoint(matrix, centre_);
  radius_ = TransformLength(matrix, radius_);
  const double turn = std::atan2(matrix.d, matrix.a);
  startAngle_ += turn;
  endAngle_ += turn;
}

void FcDsArc::Draw(FcDisplaySurface& surface) {
  FcDisplayDevice* device = surface.GetDevice();
  const FcViewTransform* view = surface.GetView();
  if (!curveKept_ || !CanDraw(surface) || !device->DrawsCurves() || !KeepsCirclesRound(view->forward)) {
    FcDsPolyline::Draw(surface);
    return;
  }
  const Placement placement = PlaceInView(surface);
  if (placement == Placement::kOutside) return;
  if (placement == Placement::kCrossing) {
    FcDsPolyline::Draw(surface);
    return;
  }
  FcDevicePoint centre;
  view->WorldToDevice(centre_.x, centre_.y, &centre.x, &centre.y);
  const std::int32_t radius = RoundToDevice(view->WorldLengthToDevice(radius_));
  SelectPenAndColor(*device);
  if (full_) {
    device->Circle(centre.x, centre.y, radius);
  } else {
    device->Arc(centre.x, centre.y, radius, startAngle_, endAngle_);
  }
  drawn = true;
  // The device coordinates are not kept: the next draw converts again.
  deviceCacheValid = false;
}
