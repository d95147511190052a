#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The regular polygon the Polygon command would build for the cursor.
class FcDragPolygon : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kInscribed = 0,      // the cursor is a vertex
    kCircumscribed = 1,  // the cursor is an edge midpoint
    kEdge = 2,           // the first edge runs from the stored point to the cursor
  };
  // More sides than this draws nothing: the outline is built on every
  // cursor movement, and the command does not accept more.
  static constexpr std::int32_t kMostSides = 1024;

  static FcDragPolygon AboutCentre(Kind kind, const FcPoint2d& centre, std::int32_t sides);
  static FcDragPolygon OnEdge(const FcPoint2d& firstEdgePoint, std::int32_t sides);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  std::int32_t kind = kInscribed;
  FcPoint2d centre;
  std::int32_t sides = 4;
  FcPoint2d firstEdgePoint;
};
