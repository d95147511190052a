#pragma once

#include <cstddef>
#include <vector>

#include "core/point2d.h"
#include "display/drag_object.h"
#include "entities/line.h"

class FcPolyline;

// The revision cloud drawn along the cursor's path: every movement adds
// arcs between the minimum and the maximum arc length to the bound
// polyline, turning every bulge so that the arcs bulge outward, and the
// track ends closed once the cursor comes back near the first vertex.
class FcDragRecCloud : public FcDragObject {
 public:
  // A cloud stops growing at this many vertices: a single jump of the
  // cursor with a tiny arc length would otherwise add arcs without end.
  static constexpr int kMaxVertices = 5000;

  FcDragRecCloud();
  // Binds the polyline, whose first vertex starts the path.
  void Start(FcPolyline* cloud);
  bool DrawTest(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point, int extra) override;

  double minArcLength = 15.0;
  double maxArcLength = 18.0;

 private:
  // Appends a vertex with the last vertex's end width and bulge.
  void AppendVertex(const FcPoint2d& point);
  // Turns every bulge to the side the placed points ask for. Done once
  // for all the vertices one cursor position adds: the arcs' lengths do
  // not depend on the side, and a check per vertex would make a long jump
  // of the cursor cost the cube of the vertices it adds.
  void TurnBulgesOutward();
  // The bulge sign the placed points ask for: -1 or +1.
  int RequiredBulgeSign();
  // Whether the appended points grow the cloud: false once it is full.
  bool HasRoom() const;

  FcPolyline* cloud_ = nullptr;  // borrowed
  FcLine line_;
  std::vector<FcPoint2d> placed_;
  FcPoint2d reference_;
  bool referencePending_ = true;
};
