#include "display/drag_pline.h"

#include <cmath>
#include <utility>
#include <vector>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "display/builder_support.h"
#include "display/drag_band_frame.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

namespace {

// Steps of the wide arc's outline along each edge.
constexpr int kOutlineSteps = 20;

// A counter-clockwise arc with the half-width at each of its ends.
struct WideArc {
  FcPoint2d centre;
  double radius = 0.0;
  double start = 0.0;
  double end = 0.0;
  double startWidth = 0.0;
  double endWidth = 0.0;
};

// The arc from S to E about the centre; turning clockwise it is stored from
// E to S with the widths exchanged.
WideArc ArcBetween(const FcPoint2d& centre, const FcPoint2d& s, const FcPoint2d& e, bool counterClockwise,
                   double w1, double w2) {
  WideArc arc{centre, DistanceBetween(centre, s), AngleFromTo(centre, s), AngleFromTo(centre, e), w1, w2};
  if (!counterClockwise) {
    std::swap(arc.start, arc.end);
    std::swap(arc.startWidth, arc.endWidth);
  }
  return arc;
}

// The arc from S about the centre through the included angle, clockwise
// when the angle is negative.
WideArc ArcSwept(const FcPoint2d& centre, const FcPoint2d& s, double included, double w1, double w2) {
  const double startAngle = AngleFromTo(centre, s);
  const FcPoint2d e = PointAtPolar(centre, DistanceBetween(centre, s), startAngle + included);
  return ArcBetween(centre, s, e, included >= 0.0, w1, w2);
}

void DrawOutline(FcDisplaySurface* surface, const WideArc& arc) {
  double end = arc.end;
  double start = arc.start;
  NormalizeAngle(start);
  NormalizeAngle(end);
  if (end <= start) end += kTwoPi;
  std::vector<FcPoint2d> outline(2 * (kOutlineSteps + 1));
  for (int i = 0; i <= kOutlineSteps; ++i) {
    const double t = static_cast<double>(i) / kOutlineSteps;
    const double angle = start + (end - start) * t;
    const double w = arc.startWidth + (arc.endWidth - arc.startWidth) * t;
    outline[i] = PointAtPolar(arc.centre, arc.radius + w, angle);
    outline[outline.size() - 1 - i] = PointAtPolar(arc.centre, arc.radius - w, angle);
  }
  DragDrawPolyline(surface, outline.data(), static_cast<int>(outline.size()));
}

}  // namespace

FcDragPLine FcDragPLine::From(Kind kind, const FcPoint2d& start, double startHalfWidth, double endHalfWidth) {
  FcDragPLine band;
  band.kind = kind;
  band.start = start;
  band.startHalfWidth = startHalfWidth;
  band.endHalfWidth = endHalfWidth;
  return band;
}

int FcDragPLine::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  if (surface == nullptr) return 0;
  const FcPoint2d& s = start;
  const double w1 = startHalfWidth;
  const double w2 = endHalfWidth;
  if (kind == kLine) {
    const double direction = AngleFromTo(s, cursor);
    const FcPoint2d e = fixedLength ? PointAtPolar(s, segmentLength, direction) : cursor;
    const FcPoint2d outline[4] = {PointAtPolar(s, w1, direction + kHalfPi), PointAtPolar(s, w1, direction - kHalfPi),
                                  PointAtPolar(e, w2, direction - kHalfPi), PointAtPolar(e, w2, direction + kHalfPi)};
    DragDrawPolyline(surface, outline, 4);
    return kDragDrawn;
  }

  WideArc arc;
  switch (kind) {
    case kTangentArc: {
      const FcPoint2d ahead = PointAtPolar(s, 1.0, tangentAngle);
      if (PointLineDistance(cursor, s, ahead) <= kTolerance) return 0;
      const double cross = (ahead.x - s.x) * (cursor.y - s.y) - (ahead.y - s.y) * (cursor.x - s.x);
      const bool left = cross > 0.0;
      const double normal = tangentAngle + (left ? kHalfPi : -kHalfPi);
      const double cosine = std::cos(AngleFromTo(s, cursor) - normal);
      if (!(std::fabs(cosine) > kTolerance)) return 0;
      const double r = DistanceBetween(s, cursor) / 2.0 / cosine;
      arc = ArcBetween(PointAtPolar(s, r, normal), s, cursor, left, w1, w2);
      break;
    }
    case kCentreArc: {
      FcPoint2d e = cursor;
      double r = 0.0;
      if (ArcFromStartCenterEnd(s, second, e, nullptr, &r) == 0) return 0;
      arc = ArcBetween(second, s, e, true, w1, w2);
      break;
    }
    case kRadiusArc: {
      FcPoint2d centre;
      double bulge = 0.0;
      if (ArcFromChordRadius(s, cursor, radius, &centre, &bulge) == 0) return 0;
      arc = ArcBetween(centre, s, cursor, bulge >= 0.0, w1, w2);
      break;
    }
    case kAngleArc: {
      FcPoint2d centre;
      double bulge = 0.0;
      if (ArcFromChordAngle(s, cursor, includedAngle, &centre, nullptr, &bulge) == 0) return 0;
      arc = ArcBetween(centre, s, cursor, bulge >= 0.0, w1, w2);
      break;
    }
    case kThreePointArc: {
      FcPoint2d centre;
      double r = 0.0;
      double a0 = 0.0;
      double a1 = 0.0;
      if (!ArcThrough3Points(s, second, cursor, centre, r, a0, a1)) return 0;
      arc = ArcBetween(centre, s, cursor, Orientation3(s, second, cursor) == -1, w1, w2);
      break;
    }
    case kRadiusAngleArc: {
      FcPoint2d e;
      FcPoint2d centre;
      double bulge = 0.0;
      if (ArcFromStartRadiusAngle(s, radius, includedAngle, AngleFromTo(s, cursor), &e, &centre, &bulge) == 0)
        return 0;
      arc = ArcBetween(centre, s, e, bulge >= 0.0, w1, w2);
      break;
    }
    case kAngleAboutCursor:
      arc = ArcSwept(cursor, s, includedAngle, w1, w2);
      break;
    case kCentreAngleArc:
      arc = ArcSwept(second, s, UcsAngleAnswer(FcDragBandFrame(surface), second, cursor), w1, w2);
      break;
    case kCentreChordArc: {
      const double r = DistanceBetween(second, s);
      const double halfChord = DistanceBetween(s, cursor) / 2.0;
      if (!(r > 0.0) || r < halfChord) return 0;
      arc = ArcSwept(second, s, 2.0 * std::asin(halfChord / r), w1, w2);
      break;
    }
    default:
      return 0;
  }
  if (!(arc.radius > 0.0) || !std::isfinite(arc.radius)) return 0;
  const FcViewTransform& view = SurfaceView(*surface);
  if (view.WorldLengthToPixels(std::fabs(w1)) > 2 || view.WorldLengthToPixels(std::fabs(w2)) > 2) {
    DrawOutline(surface, arc);
  } else {
    DrawBandArc(surface, arc.centre, arc.radius, arc.start, arc.end);
  }
  return kDragDrawn;
}
