#pragma once

#include <memory>
#include <span>
#include <vector>

#include "core/point2d.h"

class FcPolyline;

// The arcs of a revision cloud: every vertex carries this bulge (arcs of
// about 110 degrees), its sign choosing the side the arcs bulge to.
inline constexpr double kRevCloudBulge = 0.5206;

// The most points a cloud path may have. A step that is tiny against the
// entity it walks would otherwise ask for points without end.
inline constexpr std::size_t kMaxRevCloudPathPoints = 200000;

// Appends points of the counter-clockwise arc of the circle about centre
// at equal arc-length steps: the start angle, then every step while the
// angle stays below end - step / 3, then the end angle. False, appending
// nothing, when the points would pass kMaxRevCloudPathPoints.
bool ArcPointsByStep(double radius, double startAngle, double endAngle, double step,
                     std::vector<FcPoint2d>& points, const FcPoint2d& centre);

// Appends points of the ellipse (semi-axes a along the rotation, b) from
// the polar start angle to the end angle, at about equal steps. False as
// ArcPointsByStep.
bool EllipsePointsByStep(double rotation, double a, double b, double startAngle, double endAngle, double step,
                         const FcPoint2d& centre, std::vector<FcPoint2d>& points);

// The path of a polyline: its first vertex, then each straight segment's
// end and the points of each arc segment at the step. False as
// ArcPointsByStep.
bool PlineToRevCloud(const FcPolyline& polyline, std::vector<FcPoint2d>& points, double step);

// Whether a cloud with arcs of at most maxLength along the path stays
// within kMaxRevCloudPathPoints vertices.
bool RevCloudFitsLimit(std::span<const FcPoint2d> points, double maxLength);

// The cloud along the points, each arc between minLength and maxLength
// long where the path allows; each vertex has widths 0 and width. Closed
// paths give a closed polyline. Null with fewer than two vertices.
std::unique_ptr<FcPolyline> PointsToRevCloud(std::span<const FcPoint2d> points, bool closed, double minLength,
                                             double maxLength, double width);
