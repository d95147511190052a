#include "commands/modify/offset_entities.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/entity.h"
#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/polyline_offset.h"
#include "entities/unbounded_line.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

namespace {

// A clone of the source as its own class; null, after the history line
// that says so, when it cannot be allocated.
template <typename Entity>
std::unique_ptr<Entity> CloneOf(const Entity& source) {
  std::unique_ptr<FcEntity> clone(source.Clone());
  if (clone == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return nullptr;
  }
  return std::unique_ptr<Entity>(dynamic_cast<Entity*>(clone.release()));
}

// The distance of a straight offset, and the direction to move by it:
// square to the line a-b, towards the point's side (to the right for a
// point on the line). False, after the history line, when the point gives
// no distance in through mode.
bool StraightOffset(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& point, double distance,
                    FcPoint2d& move) {
  if (distance < 0.0) distance = PointLineDistance(point, a, b);
  if (!(distance > 0.0)) {
    PrintMessage(kCannotOffsetMessage);
    return false;
  }
  const double turn = Orientation3(a, point, b) == 1 ? kHalfPi : -kHalfPi;
  move = PointAtPolar({}, distance, AngleFromTo(a, b) + turn);
  return true;
}

void OffsetLine(const FcLine& source, const FcPoint2d& point, double distance, FcUndoSection& section) {
  FcPoint2d move;
  if (!StraightOffset(source.GetStartPoint(), source.GetEndPoint(), point, distance, move)) return;
  std::unique_ptr<FcLine> copy = CloneOf(source);
  if (copy == nullptr) return;
  copy->SetStartPoint(source.GetStartPoint() + move);
  copy->SetEndPoint(source.GetEndPoint() + move);
  section.AddCopy(copy.release());
}

// Rays and construction lines keep their direction.
void OffsetRay(const FcUnboundedLine& source, const FcPoint2d& point, double distance, FcUndoSection& section) {
  const FcPoint2d& base = source.GetBasePoint();
  FcPoint2d move;
  if (!StraightOffset(base, base + 1000.0 * source.GetDirection(), point, distance, move)) return;
  std::unique_ptr<FcUnboundedLine> copy = CloneOf(source);
  if (copy == nullptr) return;
  copy->SetBasePoint(base + move);
  section.AddCopy(copy.release());
}

// Arcs keep their angles.
void OffsetCircle(const FcCircle& source, const FcPoint2d& point, double distance, FcUndoSection& section) {
  const double r = source.GetRadius();
  const double p = DistanceBetween(point, source.GetCenter());
  double radius = p;
  if (distance > 0.0) radius = p < r ? r - distance : r + distance;
  if (!(radius > 0.0) || radius == r) {
    PrintMessage(kCannotOffsetMessage);
    return;
  }
  std::unique_ptr<FcCircle> copy = CloneOf(source);
  if (copy == nullptr) return;
  copy->SetRadius(radius);
  section.AddCopy(copy.release());
}

// A concentric ellipse of the same shape, scaled: the point's distance
// along its polar direction decides inside or outside, or the copy passes
// through it.
void OffsetEllipse(const FcEllipse& source, const FcPoint2d& point, double distance, FcUndoSection& section) {
  if (distance == 0.0) return;
  const FcPoint2d& centre = source.GetCenter();
  const double a = source.GetMajorRadius();
  double major = 0.0;
  if (distance < 0.0) {
    const double angle = AngleFromTo(centre, point) - source.GetRotation();
    const double p = DistanceBetween(centre, point);
    const double dx = p * std::cos(angle);
    const double dy = p * std::sin(angle) / source.GetRadiusRatio();
    major = std::sqrt(dx * dx + dy * dy);
  } else {
    const FcPoint2d onCurve = source.GetPointAtAngle(AngleFromTo(centre, point) - source.GetRotation());
    const bool inside = DistanceBetween(centre, onCurve) > DistanceBetween(centre, point);
    major = inside ? a - distance : a + distance;
  }
  // An axis of no length would leave the copy as it is: a second ellipse on
  // top of the first.
  if (!(major > 0.0) || a <= 0.0) {
    PrintMessage(kCannotOffsetMessage);
    return;
  }
  std::unique_ptr<FcEllipse> copy = CloneOf(source);
  if (copy == nullptr) return;
  copy->SetMajorAxis(source.GetMajorAxis() * (major / a));
  section.AddCopy(copy.release());
}

void OffsetPolyline(const FcPolyline& source, const FcPoint2d& point, double distance, FcUndoSection& section) {
  const int gap = std::clamp(GetProgramSettings().offset_gap_type, 0, 2);
  FcPolyline* copy = MakeOffsetPolyline(source, point, distance, static_cast<OffsetGapType>(gap));
  if (copy == nullptr) {
    PrintMessage(kCannotOffsetMessage);
    return;
  }
  section.AddCopy(copy);
}

}  // namespace

bool CanOffset(const FcEntity& entity) {
  switch (entity.GetKind()) {
    case kEntityLine:
    case kEntityCircle:
    case kEntityEllipse:
    case kEntityArc:
    case kEntityRay:
    case kEntityXLine:
    case kEntityPolyline:
      return true;
    default:
      return false;
  }
}

void OffsetEntity(const FcEntity& source, const FcPoint2d& point, double distance, FcUndoSection& section) {
  if (const auto* line = dynamic_cast<const FcLine*>(&source)) {
    OffsetLine(*line, point, distance, section);
  } else if (const auto* circle = dynamic_cast<const FcCircle*>(&source)) {
    OffsetCircle(*circle, point, distance, section);
  } else if (const auto* ellipse = dynamic_cast<const FcEllipse*>(&source)) {
    OffsetEllipse(*ellipse, point, distance, section);
  } else if (const auto* unbounded = dynamic_cast<const FcUnboundedLine*>(&source)) {
    OffsetRay(*unbounded, point, distance, section);
  } else if (const auto* polyline = dynamic_cast<const FcPolyline*>(&source)) {
    OffsetPolyline(*polyline, point, distance, section);
  }
}
