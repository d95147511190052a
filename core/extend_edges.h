#pragma once

#include <cstdint>

#include "core/point2d.h"

// The boundary edges of the trimming and extending commands: straight or
// circular pieces of the boundary objects the user selected, each able to
// say where an object being edited meets it. extendEdges is the commands'
// edge mode: when true an edge may count as its whole line or circle.
// Angles are radians, counter-clockwise from the x axis about the centre
// concerned.

// What a straight edge, or a line handed to an edge, stands for.
using ExtendLineKind = std::int32_t;
inline constexpr ExtendLineKind kExtendSegment = 0;
// From the first point through the second, without end.
inline constexpr ExtendLineKind kExtendRay = 1;
inline constexpr ExtendLineKind kExtendInfinite = 2;

// How far a straight edge may be thought extended in the "Extend" mode.
inline constexpr std::int32_t kExtendNowhere = 0;
inline constexpr std::int32_t kExtendBeyondSecond = 1;
inline constexpr std::int32_t kExtendBothWays = 2;

// The fixed and moving angles of an arc end that moves, normalised so that
// the moving one lies ahead of the fixed one in the direction of travel.
void OrderTravelAngles(double& fixedAngle, double& movingAngle, bool counterClockwise);

class FcExtendEdge {
 public:
  virtual ~FcExtendEdge() = default;

  // Where the circle (centre, radius) continued from the moving angle in
  // the direction of travel (away from the fixed angle) first meets the
  // edge. 1 with the point, else 0.
  virtual int FindArcExtensionHit(const FcPoint2d& centre, double radius, double fixedAngle, double movingAngle,
                                  bool counterClockwise, bool extendEdges, FcPoint2d& out) const = 0;
  // Where the line from far through moving, continued strictly beyond
  // moving, meets the edge. 1 with the point, else 0.
  virtual int FindLineExtensionHit(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges,
                                   FcPoint2d& out) const = 0;
  // The points (0 to 2) where the edge crosses the counter-clockwise arc
  // from start to end; a circle is 0 to 2*pi.
  virtual int CrossArc(const FcPoint2d& centre, double radius, double start, double end, bool extendEdges,
                       FcPoint2d (&out)[2]) const = 0;
  // The points where the edge crosses the segment, ray or line of the kind
  // given by p1 and p2.
  virtual int CrossLine(const FcPoint2d& p1, const FcPoint2d& p2, ExtendLineKind kind, bool extendEdges,
                        FcPoint2d (&out)[2]) const = 0;
};

class FcExtendLineEdge : public FcExtendEdge {
 public:
  FcExtendLineEdge(const FcPoint2d& p1, const FcPoint2d& p2, ExtendLineKind kind)
      : p1(p1), p2(p2), lineKind(kind) {}

  int FindArcExtensionHit(const FcPoint2d& centre, double radius, double fixedAngle, double movingAngle,
                          bool counterClockwise, bool extendEdges, FcPoint2d& out) const override;
  int FindLineExtensionHit(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges,
                           FcPoint2d& out) const override;
  int CrossArc(const FcPoint2d& centre, double radius, double start, double end, bool extendEdges,
               FcPoint2d (&out)[2]) const override;
  int CrossLine(const FcPoint2d& a, const FcPoint2d& b, ExtendLineKind kind, bool extendEdges,
                FcPoint2d (&out)[2]) const override;

  // Whether a point on the edge's line counts as lying on the edge.
  bool Accepts(const FcPoint2d& point, bool extendEdges) const;

  // A segment's ends; a ray's or line's base point and base point plus its
  // unit direction.
  FcPoint2d p1;
  FcPoint2d p2;
  ExtendLineKind lineKind = kExtendSegment;
  std::int32_t extendMode = kExtendBothWays;
};

class FcExtendArcEdge : public FcExtendEdge {
 public:
  // The angles are stored normalised: start in [0, 2*pi), start < end <=
  // start + 2*pi. A full circle runs from 0 to 2*pi whatever is passed.
  FcExtendArcEdge(const FcPoint2d& centre, double radius, double startAngle, double endAngle, bool fullCircle);

  int FindArcExtensionHit(const FcPoint2d& centre, double radius, double fixedAngle, double movingAngle,
                          bool counterClockwise, bool extendEdges, FcPoint2d& out) const override;
  int FindLineExtensionHit(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges,
                           FcPoint2d& out) const override;
  int CrossArc(const FcPoint2d& centre, double radius, double start, double end, bool extendEdges,
               FcPoint2d (&out)[2]) const override;
  int CrossLine(const FcPoint2d& a, const FcPoint2d& b, ExtendLineKind kind, bool extendEdges,
                FcPoint2d (&out)[2]) const override;

  // Whether a point on the edge's circle counts as lying on the edge.
  bool Accepts(const FcPoint2d& point, bool extendEdges) const;

  FcPoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
  std::int32_t isFullCircle = 0;
  std::int32_t canExtend = 1;
};
