#include "commands/view/ucs_alignment.h"

#include <cmath>
#include <vector>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/entity.h"
#include "database/system_var.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/corner_entity.h"
#include "entities/ellipse.h"
#include "entities/insert.h"
#include "entities/leader.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/raster_image.h"
#include "entities/spline.h"
#include "entities/text.h"
#include "entities/unbounded_line.h"

namespace {

UcsAlignment Undefined() { return {}; }
UcsAlignment NoFrame() { return {true, std::nullopt}; }

// A right-handed frame: the y point is the x point turned a quarter turn
// about the origin.
UcsAlignment RightHanded(const FcPoint2d& origin, const FcPoint2d& xPoint) {
  const FcPoint2d axis = xPoint - origin;
  return {true, UcsFrame{origin, xPoint, origin + FcPoint2d{-axis.y, axis.x}}};
}

// The origin at whichever end lies nearer the pick, the x axis towards the
// other; a tie keeps the first end as origin.
UcsAlignment FromNearerEnd(const FcPoint2d& first, const FcPoint2d& second, const FcPoint2d& pick) {
  if (DistanceBetween(second, pick) < DistanceBetween(first, pick)) return RightHanded(second, first);
  return RightHanded(first, second);
}

// The x axis towards whichever end lies nearer the pick.
const FcPoint2d& NearerOf(const FcPoint2d& first, const FcPoint2d& second, const FcPoint2d& pick) {
  return DistanceBetween(second, pick) < DistanceBetween(first, pick) ? second : first;
}

UcsAlignment AlignedWithEllipse(const FcEllipse& ellipse, const FcPoint2d& pick) {
  double startParameter = 0.0;
  double endParameter = 0.0;
  ellipse.GetParams(startParameter, endParameter);
  if (endParameter - startParameter >= kTwoPi - kTolerance) return RightHanded(ellipse.GetCenter(), pick);
  const FcPoint2d start = ellipse.GetPointAtAngle(ellipse.GetStartAngle());
  const FcPoint2d end = ellipse.GetPointAtAngle(ellipse.GetEndAngle());
  return RightHanded(ellipse.GetCenter(), NearerOf(start, end, pick));
}

// A spline read from a file may carry control points only; their ends are
// the curve's ends as well.
UcsAlignment AlignedWithSpline(const FcSPline& spline, const FcPoint2d& pick) {
  const std::vector<FcPoint2d>& points =
      spline.GetFitPoints().size() >= 2 ? spline.GetFitPoints() : spline.GetControlPoints();
  if (points.size() < 2) return NoFrame();
  if (spline.IsClosed()) return RightHanded(points.front(), pick);
  return FromNearerEnd(points.front(), points.back(), pick);
}

UcsAlignment AlignedWithLeader(const FcLeader& leader, const FcPoint2d& pick, int segment) {
  const std::vector<FcPoint2d>& vertices = leader.GetVertices();
  if (vertices.size() < 2) return NoFrame();
  if (leader.GetPathType() != 0) return FromNearerEnd(vertices.front(), vertices.back(), pick);
  if (segment < 0 || segment + 1 >= static_cast<int>(vertices.size())) return NoFrame();
  const auto index = static_cast<std::size_t>(segment);
  return RightHanded(vertices[index], vertices[index + 1]);
}

UcsAlignment AlignedWithPolyline(const FcPolyline& polyline, const FcPoint2d& pick, int segment) {
  if (polyline.GetFlags() > kPolylineClosed) return Undefined();
  const int count = polyline.GetVertexCount();
  if (segment < 0 || segment >= count) return NoFrame();
  const bool last = segment + 1 == count;
  if (last && !polyline.IsClosed()) return NoFrame();
  const PolylineVertex* from = polyline.GetVertex(segment);
  const FcPoint2d start = VertexPoint(*from);
  const FcPoint2d end = VertexPoint(*polyline.GetVertex(last ? 0 : segment + 1));
  if (from->bulge == 0.0) return RightHanded(start, end);
  FcPoint2d centre;
  if (ArcFromChordBulge(start, from->bulge, end, centre, nullptr, nullptr) == 0) return NoFrame();
  return RightHanded(centre, NearerOf(start, end, pick));
}

UcsAlignment AlignedWithPoint(const FcPointEnt& point, const FcSystemVar& vars) {
  const FcPoint2d& origin = point.GetLocation();
  return {true, UcsFrame{origin, origin + vars.GetUcsXDir(), origin + vars.GetUcsYDir()}};
}

UcsAlignment AlignedWithImage(const FcRasterImage& image) {
  const FcPoint2d& origin = image.GetInsertionPoint();
  return {true, UcsFrame{origin, origin + image.GetU(), origin + image.GetV()}};
}

// By the entity's kind; a kind whose class is not the expected one gives no
// axes rather than a wrong cast.
UcsAlignment AlignedByKind(const FcEntity& entity, const FcPoint2d& pick, int segment, const FcSystemVar& vars) {
  if (const auto* line = dynamic_cast<const FcLine*>(&entity))
    return FromNearerEnd(line->GetStartPoint(), line->GetEndPoint(), pick);
  if (const auto* point = dynamic_cast<const FcPointEnt*>(&entity)) return AlignedWithPoint(*point, vars);
  if (const auto* arc = dynamic_cast<const FcArc*>(&entity))
    return RightHanded(arc->GetCenter(), NearerOf(arc->GetStartPoint(), arc->GetEndPoint(), pick));
  if (const auto* circle = dynamic_cast<const FcCircle*>(&entity)) return RightHanded(circle->GetCenter(), pick);
  if (const auto* ellipse = dynamic_cast<const FcEllipse*>(&entity)) return AlignedWithEllipse(*ellipse, pick);
  if (const auto* spline = dynamic_cast<const FcSPline*>(&entity)) return AlignedWithSpline(*spline, pick);
  if (const auto* text = dynamic_cast<const FcText*>(&entity)) return RightHanded(text->GetBox()[0], text->GetBox()[3]);
  if (const auto* corners = dynamic_cast<const FcCornerEntity*>(&entity)) {
    if (entity.GetKind() == kEntitySolid) return RightHanded(corners->GetCorner(0), corners->GetCorner(1));
    return RightHanded(MidPoint(corners->GetCorner(0), corners->GetCorner(1)),
                       MidPoint(corners->GetCorner(2), corners->GetCorner(3)));
  }
  if (const auto* insert = dynamic_cast<const FcInsert*>(&entity)) {
    const double rotation = insert->GetRotation();
    const FcPoint2d& origin = insert->GetInsertionPoint();
    return RightHanded(origin, origin + 100.0 * FcPoint2d{std::cos(rotation), std::sin(rotation)});
  }
  if (const auto* ray = dynamic_cast<const FcUnboundedLine*>(&entity))
    return RightHanded(ray->GetBasePoint(), ray->GetBasePoint() + ray->GetDirection());
  if (const auto* leader = dynamic_cast<const FcLeader*>(&entity)) return AlignedWithLeader(*leader, pick, segment);
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity))
    return AlignedWithPolyline(*polyline, pick, segment);
  if (const auto* image = dynamic_cast<const FcRasterImage*>(&entity)) return AlignedWithImage(*image);
  return Undefined();
}

bool IsAlignedKind(EntityKind kind) {
  switch (kind) {
    case kEntityLine:
    case kEntityPoint:
    case kEntityCircle:
    case kEntityEllipse:
    case kEntitySpline:
    case kEntityText:
    case kEntityAttributeDef:
    case kEntityAttribute:
    case kEntityArc:
    case kEntityTrace:
    case kEntitySolid:
    case kEntityInsert:
    case kEntityRay:
    case kEntityLeader:
    case kEntityPolyline:
    case kEntityImage:
      return true;
    default:
      return false;
  }
}

}  // namespace

UcsAlignment UcsAlignedWith(const FcEntity& entity, const FcPoint2d& pick, int segment, const FcSystemVar& vars) {
  if (!IsAlignedKind(entity.GetKind())) return Undefined();
  UcsAlignment alignment = AlignedByKind(entity, pick, segment, vars);
  if (!alignment.frame) return alignment;
  const UcsFrame& frame = *alignment.frame;
  if (IsSamePoint(frame.xPoint, frame.origin) || IsSamePoint(frame.yPoint, frame.origin)) alignment.frame.reset();
  return alignment;
}
