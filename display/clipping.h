#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/point2d.h"
#include "core/point_in_polygon.h"
#include "display/view_transform.h"

// Clipping of world geometry against an axis-aligned window (inside is
// inclusive). The device forms are members of FcViewTransform.
//
// Side codes of a clipped segment end: 0 the end was not moved; otherwise
// the side it was moved onto.
inline constexpr int kClipUnmoved = 0;
inline constexpr int kClipBottom = 1;
inline constexpr int kClipRight = 2;
inline constexpr int kClipTop = 3;
inline constexpr int kClipLeft = 4;

// Clips the segment in place; true when something is left. A segment that
// only touches a window corner from outside is discarded.
bool ClipSegmentByEdges(double& x1, double& y1, double& x2, double& y2, int& code1, int& code2, double xmin,
                        double ymin, double xmax, double ymax);
// Copies the ends and clips the copies against the view's world window.
bool ClipSegmentToWindow(const FcPoint2d& end1, const FcPoint2d& end2, FcPoint2d& out1, FcPoint2d& out2,
                         const FcViewTransform& view, int (&codes)[2]);

// One closed ring (the last point joins the first); out is replaced by the
// clipped ring, window corners included where the ring turns around them.
// A ring that surrounds the whole window gives the window itself.
bool ClipPolygonToWindow(const FcClipWindow& window, std::span<const FcPoint2d> points,
                         std::vector<FcPoint2d>& out);
// The same for convex counterclockwise rings.
bool ClipConvexPolygonToWindow(const FcClipWindow& window, std::span<const FcPoint2d> points,
                               std::vector<FcPoint2d>& out);
// Every ring of points (sizes in ringCounts, which must not ask for more
// points than there are); rings that vanish are dropped from outCounts.
bool ClipPolyPolygonToWindow(const FcClipWindow& window, std::span<const FcPoint2d> points,
                             std::span<const std::int32_t> ringCounts, std::vector<FcPoint2d>& out,
                             std::vector<std::int32_t>& outCounts);
