#include "shell/drag_dimension.h"

#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dimension.h"
#include "entities/dimension_geometry.h"

double AutomaticDimAngle(const FcPoint2d& first, const FcPoint2d& second, const FcPoint2d& location, double base) {
  const FcPoint2d u = Dir(base);
  const FcPoint2d v{-u.y, u.x};
  auto along = [&u](const FcPoint2d& p) { return p.x * u.x + p.y * u.y; };
  auto across = [&v](const FcPoint2d& p) { return p.x * v.x + p.y * v.y; };
  const double x = along(location);
  const double y = across(location);
  const double x0 = std::min(along(first), along(second));
  const double x1 = std::max(along(first), along(second));
  const double y0 = std::min(across(first), across(second));
  const double y1 = std::max(across(first), across(second));
  const double outsideX = x < x0 ? x0 - x : (x > x1 ? x - x1 : 0.0);
  const double outsideY = y < y0 ? y0 - y : (y > y1 ? y - y1 : 0.0);
  return outsideX > outsideY ? base + kHalfPi : base;
}

FcPoint2d PointOnDimLine(const FcPoint2d& location, double angle, const FcPoint2d& origin) {
  FcPoint2d at = origin;
  IntersectLines(kInfiniteLines, location, PointAtPolar(location, 100.0, angle), origin,
                 PointAtPolar(origin, 100.0, angle + kHalfPi), at);
  return at;
}

void FcDimDrag::PlaceLinear(const FcPoint2d& cursor) {
  auto* linear = dynamic_cast<FcDimAligned*>(dimension);
  if (linear == nullptr) return;
  if ((dimension->GetDimType() & 7) == kDimTypeAligned) {
    angle = AngleFromTo(linear->GetDefPoint13(), linear->GetDefPoint14());
  } else if (automatic) {
    angle = AutomaticDimAngle(first, second, cursor, baseAngle);
    NormalizeAngle(angle);
    const bool across = angle != baseAngle;
    linear->SetDefPoint13(circle && across ? turnedFirst : first);
    linear->SetDefPoint14(circle && across ? turnedSecond : second);
  }
  if ((dimension->GetDimType() & 7) == kDimTypeRotated) linear->SetRotation(angle);
  const FcPoint2d d2 = PointOnDimLine(cursor, angle, linear->GetDefPoint14());
  const FcPoint2d d1 = PointOnDimLine(cursor, angle, linear->GetDefPoint13());
  linear->SetDefPoint10(d2);
  linear->SetTextMidpoint(MidPoint(d1, d2));
}

void FcDimDrag::PlaceRadial(const FcPoint2d& cursor) {
  double a = IsSamePoint(centre, cursor) ? startAngle : AngleFromTo(centre, cursor);
  NormalizeAngle(a);
  double sweep = endAngle - startAngle;
  NormalizeAngle(sweep);
  // An arc holds the direction to its own range; a circle goes all round.
  if (sweep != 0.0) {
    while (a < startAngle) a += kTwoPi;
    const double end = startAngle + sweep;
    if (a > end) a = end;
  }
  if ((dimension->GetDimType() & 7) == kDimTypeDiameter) {
    dimension->SetDefPoint10(PointAtPolar(centre, radius, a));
    dimension->SetDefPoint15(PointAtPolar(centre, radius, a + kPi));
    return;
  }
  dimension->SetDefPoint15(PointAtPolar(centre, radius, a));
  dimension->SetTextMidpoint(cursor);
}

void FcDimDrag::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  if (dimension == nullptr || drawing == nullptr || surface == nullptr) return;
  FcPoint2d cursor = point;
  TransformPoint(drawing->GetSysVars().UcsToWorld, cursor);
  switch (dimension->GetDimType() & 7) {
    case kDimTypeRotated:
    case kDimTypeAligned:
      PlaceLinear(cursor);
      break;
    case kDimTypeDiameter:
    case kDimTypeRadius:
      PlaceRadial(cursor);
      break;
    case kDimTypeOrdinate:
      if (auto* ordinate = dynamic_cast<FcDimOrdinate*>(dimension)) {
        if (automatic) {
          const FcPoint2d feature = ordinate->GetDefPoint13();
          ordinate->SetMeasuresX(std::fabs(cursor.y - feature.y) > std::fabs(cursor.x - feature.x));
        }
        ordinate->SetDefPoint14(cursor);
      }
      break;
    default:
      return;
  }
  dimension->RebuildBlock();
  dimension->Draw(surface);
}
