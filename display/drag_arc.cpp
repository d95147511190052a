#include "display/drag_arc.h"

#include <cmath>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "display/drag_band_frame.h"
#include "display/primitive_builders.h"

namespace {

FcDragArc Make(FcDragArc::Kind kind, const FcPoint2d& a, const FcPoint2d& b) {
  FcDragArc band;
  band.kind = kind;
  band.a = a;
  band.b = b;
  return band;
}

// The arc of a chord A-B whose centre lies `offset` to the left of the
// chord's midpoint (negative: to the right).
FcPoint2d CentreLeftOfChord(const FcPoint2d& a, const FcPoint2d& b, double offset) {
  return PointAtPolar(MidPoint(a, b), offset, AngleFromTo(a, b) + kHalfPi);
}

}  // namespace

FcDragArc FcDragArc::CentreStartEnd(const FcPoint2d& centre, const FcPoint2d& start) {
  return Make(kCentreStartEnd, centre, start);
}
FcDragArc FcDragArc::CentreStartChord(const FcPoint2d& centre, const FcPoint2d& start) {
  return Make(kCentreStartChord, centre, start);
}
FcDragArc FcDragArc::CentreStartAngle(const FcPoint2d& centre, const FcPoint2d& start) {
  return Make(kCentreStartAngle, centre, start);
}
FcDragArc FcDragArc::ThreePoints(const FcPoint2d& start, const FcPoint2d& second) {
  return Make(kThreePoints, start, second);
}
FcDragArc FcDragArc::StartEndCentre(const FcPoint2d& start, const FcPoint2d& end) {
  return Make(kStartEndCentre, start, end);
}
FcDragArc FcDragArc::StartEndAngle(const FcPoint2d& start, const FcPoint2d& end) {
  return Make(kStartEndAngle, start, end);
}
FcDragArc FcDragArc::StartEndDirection(const FcPoint2d& start, const FcPoint2d& end) {
  return Make(kStartEndDirection, start, end);
}
FcDragArc FcDragArc::StartEndRadius(const FcPoint2d& start, const FcPoint2d& end) {
  return Make(kStartEndRadius, start, end);
}

int FcDragArc::Draw(FcDisplaySurface* surface, const FcPoint2d& c) {
  const FcDragBandFrame frame(surface);
  switch (kind) {
    case kCentreStartEnd: {
      const double radius = DistanceBetween(a, b);
      if (!(radius > 0.0)) return 0;
      DrawBandArc(surface, a, radius, AngleFromTo(a, b), AngleFromTo(a, c));
      DragDrawLine(surface, a, c);
      return kDragDrawn;
    }
    case kCentreStartChord: {
      const double radius = DistanceBetween(a, b);
      const double chord = DistanceBetween(b, c);
      if (!(radius > 0.0) || !(chord > 0.0) || chord > 2.0 * radius) return 0;
      const double start = AngleFromTo(a, b);
      DrawBandArc(surface, a, radius, start, start + 2.0 * std::asin(chord / (2.0 * radius)));
      return kDragDrawn;
    }
    case kCentreStartAngle: {
      const double radius = DistanceBetween(a, b);
      if (!(radius > 0.0)) return 0;
      const double start = AngleFromTo(a, b);
      const double end = start + UcsAngleAnswer(frame, a, c);
      if (frame.clockwise) {
        DrawBandArc(surface, a, radius, end, start);
      } else {
        DrawBandArc(surface, a, radius, start, end);
      }
      return kDragDrawn;
    }
    case kThreePoints: {
      FcPoint2d centre;
      double radius = 0.0;
      double start = 0.0;
      double end = 0.0;
      if (!ArcThrough3Points(a, b, c, centre, radius, start, end)) return 0;
      DrawBandArc(surface, centre, radius, start, end);
      return kDragDrawn;
    }
    case kStartEndCentre: {
      const double radius = DistanceBetween(c, a);
      if (!(radius > 0.0)) return 0;
      DrawBandArc(surface, c, radius, AngleFromTo(c, a), AngleFromTo(c, b));
      const bool inside = DistanceBetween(c, b) < radius;
      DragDrawLine(surface, c, inside ? PointAtPolar(c, radius, AngleFromTo(c, b)) : b);
      return kDragDrawn;
    }
    case kStartEndAngle: {
      const double halfChord = DistanceBetween(a, b) / 2.0;
      const double included = UcsAngleAnswer(frame, a, c);
      if (!(halfChord > 0.0) || included == 0.0) return 0;
      const double offset = IsEqual(included, kPi) ? 0.0 : halfChord / std::tan(included / 2.0);
      const FcPoint2d centre = CentreLeftOfChord(a, b, offset);
      const double radius = DistanceBetween(centre, a);
      if (frame.clockwise) {
        DrawBandArc(surface, centre, radius, AngleFromTo(centre, b), AngleFromTo(centre, a));
      } else {
        DrawBandArc(surface, centre, radius, AngleFromTo(centre, a), AngleFromTo(centre, b));
      }
      return kDragDrawn;
    }
    case kStartEndDirection: {
      const int orientation = Orientation3(a, b, c);
      if (orientation == 0) return 0;
      // t becomes the direction from A to the centre.
      const double t = AngleFromTo(a, c) + (orientation < 0 ? -kHalfPi : kHalfPi);
      double offAxis = t - AngleFromTo(a, b);
      NormalizeAngle(offAxis);
      if (offAxis > kPi) offAxis = kTwoPi - offAxis;
      const double cosine = std::cos(offAxis);
      // A chord (almost) along the tangent has no finite circle.
      if (!(std::fabs(cosine) > kTolerance)) return 0;
      const double radius = DistanceBetween(a, b) / 2.0 / cosine;
      const FcPoint2d centre = PointAtPolar(a, radius, t);
      if (orientation > 0) {
        DrawBandArc(surface, centre, std::fabs(radius), AngleFromTo(centre, a), AngleFromTo(centre, b));
      } else {
        DrawBandArc(surface, centre, std::fabs(radius), AngleFromTo(centre, b), AngleFromTo(centre, a));
      }
      return kDragDrawn;
    }
    case kStartEndRadius: {
      const double halfChord = DistanceBetween(a, b) / 2.0;
      const double radius = DistanceBetween(b, c);
      if (!(halfChord > 0.0) || radius < halfChord) return 0;
      const FcPoint2d centre = CentreLeftOfChord(a, b, std::sqrt(radius * radius - halfChord * halfChord));
      DrawBandArc(surface, centre, radius, AngleFromTo(centre, a), AngleFromTo(centre, b));
      return kDragDrawn;
    }
    default:
      return 0;
  }
}
