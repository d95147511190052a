#include "display/display_arc.h"

#include <algorithm>
#include <cmath>

#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

namespace {

// Relative difference allowed between the two axes' scales.
constexpr double kRoundTolerance = 1e-9;

bool Close(double a, double b) { return std::fabs(a - b) <= kRoundTolerance * std::max(std::fabs(a), std::fabs(b)); }

// The room left around a curve's box for the rounding of its chords: far
// more than the few units in the last place they can stray past the curve.
double ChordRoundingRoom(const FcCurveChords& chords) {
  const FcMatrix2d& m = chords.insertMatrix;
  const double local = std::fabs(chords.centre.x) + std::fabs(chords.centre.y) + std::fabs(chords.radius);
  const double scale = std::fabs(m.a) + std::fabs(m.b) + std::fabs(m.d) + std::fabs(m.e);
  return 1e-9 * (scale * local + std::fabs(m.c) + std::fabs(m.f));
}

}  // namespace

std::vector<PolylineVertex> LocalChords(const FcCurveChords& c) {
  return c.full ? CircleChain(c.radius, c.chordHeight, c.centre, c.segmentCap)
                : ArcChain(c.centre, c.radius, c.chordHeight, c.startAngle, c.endAngle, 0.0, 0.0, c.segmentCap);
}

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

void FcDsArc::SetPendingChords(const FcCurveChords& chords) {
  pendingChords_ = chords;
  curveBox_ = false;
  points_.clear();
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsArc::MakePendingPoints() const {
  if (!pendingChords_) return;
  const std::vector<PolylineVertex> chain = LocalChords(*pendingChords_);
  points_.clear();
  points_.reserve(chain.size());
  for (const PolylineVertex& v : chain) {
    FcPoint2d p{v.x, v.y};
    TransformPoint(pendingChords_->insertMatrix, p);
    points_.push_back(p);
  }
  pendingChords_.reset();
}

void FcDsArc::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  // Chords made since the curve's box was taken replace it.
  if (curveBox_ && !pendingChords_) {
    extentsValid = false;
    curveBox_ = false;
  }
  if (pendingChords_ && !extentsValid) {
    const double room = ChordRoundingRoom(*pendingChords_);
    const double reach = std::fabs(radius_) + room;
    extentsMin = {centre_.x - reach, centre_.y - reach};
    extentsMax = {centre_.x + reach, centre_.y + reach};
    // Past the doubles the box proves nothing: the chords give the answer.
    if (!std::isfinite(reach) || !std::isfinite(extentsMin.x) || !std::isfinite(extentsMin.y) ||
        !std::isfinite(extentsMax.x) || !std::isfinite(extentsMax.y)) {
      MakePendingPoints();
    } else {
      extentsValid = true;
      curveBox_ = true;
    }
  }
  FcDsPolyline::GetExtents(min, max);
}

bool FcDsArc::InsideWindow(const FcPoint2d& min, const FcPoint2d& max) {
  MakePendingPoints();
  return FcDsPolyline::InsideWindow(min, max);
}

bool FcDsArc::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  MakePendingPoints();
  return FcDsPolyline::CrossesWindow(min, max);
}

void FcDsArc::DrawRotated(FcDisplaySurface& surface) {
  MakePendingPoints();
  FcDsPolyline::DrawRotated(surface);
}

void FcDsArc::Transform(const FcMatrix2d& matrix) {
  MakePendingPoints();
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
    MakePendingPoints();
    FcDsPolyline::Draw(surface);
    return;
  }
  Placement placement = PlaceInView(surface);
  // The curve's box holds the box of its chords: only where it crosses the
  // window edge do the chords decide, as they did when they were made first.
  if (placement == Placement::kCrossing && curveBox_) {
    MakePendingPoints();
    placement = PlaceInView(surface);
  }
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
