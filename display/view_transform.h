#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "display/device_point.h"

// An axis-aligned rectangle of the drawing; inside is inclusive on all four
// sides.
struct FcClipWindow {
  double xmin = 0.0;
  double ymin = 0.0;
  double xmax = 0.0;
  double ymax = 0.0;
};

// A world coordinate to the nearest device unit, halves to even; held at
// the ends of the 32-bit range (0 for a NaN) so that far-away geometry
// never makes the conversion undefined.
std::int32_t RoundToDevice(double value);

// One view of a display surface: the world window shown in a rectangle of
// device pixels, and the affine maps between the two. The axes scale
// independently; keeping the aspect is the surface's business.
class FcViewTransform {
 public:
  // Recomputes both matrices from the window and the device rectangle;
  // nothing changes when either has a zero extent.
  void Update();

  // Either output may be null.
  void WorldToDevice(double worldX, double worldY, std::int32_t* deviceX, std::int32_t* deviceY) const;
  void DeviceToWorld(double* worldX, double* worldY, std::int32_t deviceX, std::int32_t deviceY) const;
  // Lengths are measured along the x axis.
  std::int32_t WorldLengthToPixels(double worldLength) const;
  double WorldLengthToDevice(double worldLength) const;
  double PixelsToWorld(std::int32_t pixels) const;
  double DeviceLengthToWorld(double deviceLength) const;

  FcClipWindow Window() const { return {x0, y0, x1, y1}; }

  // Clipping against the world window, then conversion to device units
  // (clipping.cpp). codes receives the side codes of the two ends (0 for an
  // end that was not moved). False when nothing is left.
  bool ClipSegmentToDevice(int (&codes)[2], const FcPoint2d& end1, const FcPoint2d& end2, FcDevicePoint& device1,
                           FcDevicePoint& device2) const;
  // The visible piece of the infinite line through p and q, or of the ray
  // from p through q, in world units.
  bool ClipInfiniteLine(const FcPoint2d& p, const FcPoint2d& q, FcPoint2d& end1, FcPoint2d& end2) const;
  bool ClipRay(const FcPoint2d& p, const FcPoint2d& q, FcPoint2d& end1, FcPoint2d& end2) const;
  // One ring clipped and converted; out is replaced.
  bool ClipPolygonToDevice(std::span<const FcPoint2d> points, std::vector<FcDevicePoint>& out) const;
  // For counterclockwise convex rings only.
  bool ClipConvexPolygonToDevice(std::span<const FcPoint2d> points, std::vector<FcDevicePoint>& out) const;
  // Rings one after the other in points, ringCounts giving their sizes;
  // outCounts receives the sizes of the rings left, in order.
  bool ClipPolyPolygonToDevice(std::span<const FcPoint2d> points, std::span<const std::int32_t> ringCounts,
                               std::vector<FcDevicePoint>& out, std::vector<std::int32_t>& outCounts) const;

  // World window: lower-left and upper-right corner.
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 12.0;
  double y1 = 9.0;
  // Device rectangle (y up): world (x0, y0) lands on (deviceX0, deviceY0),
  // world (x1, y1) on (deviceX1, deviceY1).
  std::int32_t deviceX0 = 0;
  std::int32_t deviceY0 = 0;
  std::int32_t deviceX1 = 400;
  std::int32_t deviceY1 = 300;
  // World to device and back.
  FcMatrix2d forward;
  FcMatrix2d inverse;
  // The view this one replaced (zoom back); owned by the surface's chain.
  FcViewTransform* previous = nullptr;
};
