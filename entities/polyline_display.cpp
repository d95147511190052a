#include <cmath>
#include <numbers>
#include <string>

#include "core/bulge_arc.h"
#include "core/geometry_basics.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "entities/entity_math.h"
#include "entities/geom_segment_ops.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"

namespace {

FcPoint2d PointOf(const PolylineVertex& v) { return {v.x, v.y}; }

// The arc of a bulged segment as a record in the polyline's coordinates:
// counter-clockwise, from the vertex to the next for a positive bulge.
bool ArcRecord(const PolylineVertex& a, const PolylineVertex& b, GeomSegment& arc) {
  BulgeArc bulged;
  if (!BulgeArcOf(PointOf(a), a.bulge, PointOf(b), bulged)) return false;
  arc.type = kGeomSegmentArc;
  arc.centre = bulged.centre;
  arc.radius = bulged.radius;
  arc.startAngle = bulged.startAngle;
  arc.endAngle = bulged.endAngle;
  return true;
}

}  // namespace

bool FcPolyline::Draw(FcDrawSink* sink) {
  if (sink == nullptr || GetVertexCount() < 2 || !FcEntity::Draw(sink)) return true;
  const std::vector<PolylineVertex>& drawn = DrawnVertices();
  sink->AddWidePolyline(drawn.data(), static_cast<int>(drawn.size()), IsClosed(), GetHandle());
  const FcGraph* graph = sink->GetContext().graph;
  const bool frame = graph != nullptr && graph->GetSysVars().splframe != 0;
  if (frame && (GetFlags() & kPolylineSplineFit) != 0) {
    sink->AddVertexChain(vertices_.data(), GetVertexCount(), IsClosed(), GetHandle(), 0);
  }
  return true;
}

void FcPolyline::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  PrintMessage(IsClosed() ? "  Close" : "  Open");
  const int precision = graph != nullptr ? graph->GetSysVars().luprec : 4;
  double length = 0.0;
  for (int i = 0; i < GetVertexCount(); ++i) {
    const PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    const FormattedPoint at = FormatPoint(PointOf(v), graph);
    PrintMessage("  At point: X= " + at.x + "    Y= " + at.y);
    if (v.startWidth > 0.0 || v.endWidth > 0.0) {
      PrintMessage("  Start width " + FormatDrawingDistance(v.startWidth, graph));
      PrintMessage("  End width " + FormatDrawingDistance(v.endWidth, graph));
    }
    const PolylineVertex* end = SegmentEnd(i);
    if (end == nullptr) break;
    if (v.bulge == 0.0) {
      length += std::hypot(end->x - v.x, end->y - v.y);
      continue;
    }
    GeomSegment arc;
    if (!ArcRecord(v, *end, arc)) continue;
    const FormattedPoint centre = FormatPoint(arc.centre, graph);
    PrintMessage("  Bulg " + FormatDecimal(precision, v.bulge));
    PrintMessage("  Center: X= " + centre.x + "    Y= " + centre.y);
    PrintMessage("  Radius " + FormatDrawingDistance(arc.radius, graph));
    length += arc.radius * (arc.endAngle - arc.startAngle);
  }
  PrintMessage("  Length " + FormatDrawingDistance(length, graph));
  const int units = graph != nullptr ? graph->GetSysVars().lunits : 2;
  PrintMessage("  area " + FormatArea(GetArea(), units, precision));
}

void FcPolyline::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  if (IsFitted()) return;
  for (int i = 0; i < GetVertexCount(); ++i) {
    const PolylineVertex* end = SegmentEnd(i);
    if (end == nullptr) break;
    const PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    if (v.bulge == 0.0) {
      if (!AppendLineSegment(segments, PointOf(v), PointOf(*end), kLineExtentSegment, kSnapTagBoundary, matrix)) {
        return;
      }
      continue;
    }
    GeomSegment arc;
    if (matrix.a != matrix.e || !ArcRecord(v, *end, arc)) continue;
    arc.snapModes = kSnapTagBoundary;
    TransformArcSegment(arc, matrix);
    if (!AppendSegment(segments, arc)) return;
  }
}

void FcPolyline::GetSnapSegments(int, const FcPoint2d&, int subIndex, const FcMatrix2d& matrix,
                                 GeomSegmentList& segments) {
  if (subIndex < 0) return;
  if (IsFitted() && !fitVertices_.empty()) {
    const auto count = static_cast<int>(fitVertices_.size());
    if (subIndex >= count) return;
    const PolylineVertex& a = fitVertices_[static_cast<std::size_t>(subIndex)];
    const PolylineVertex& b = fitVertices_[static_cast<std::size_t>(subIndex + 1 < count ? subIndex + 1 : 0)];
    AppendLineSegment(segments, PointOf(a), PointOf(b), kLineExtentSegment, kSnapTagBoundedLine, matrix);
    return;
  }
  if (subIndex >= GetVertexCount()) return;
  const PolylineVertex& v = vertices_[static_cast<std::size_t>(subIndex)];
  const PolylineVertex& end = vertices_[static_cast<std::size_t>(subIndex + 1 < GetVertexCount() ? subIndex + 1 : 0)];
  if (v.bulge == 0.0) {
    AppendLineSegment(segments, PointOf(v), PointOf(end), kLineExtentSegment, kSnapTagBoundedLine, matrix);
    return;
  }
  GeomSegment arc;
  if (!ArcRecord(v, end, arc)) return;
  if (matrix.a == matrix.e) {
    arc.snapModes = kSnapTagArc;
    TransformArcSegment(arc, matrix);
    AppendSegment(segments, arc);
    return;
  }
  // A matrix that does not keep circles round: the arc's ends, centre and
  // quadrant points, mapped one by one.
  if (!AppendLineSegment(segments, PointOf(v), PointOf(end), kLineExtentSegment, kOsnapEndpoint, matrix)) return;
  GeomSegment point;
  point.type = kGeomSegmentPoint;
  point.snapModes = kOsnapCenter;
  point.point = arc.centre;
  TransformPoint(matrix, point.point);
  if (!AppendSegment(segments, point)) return;
  for (int k = 0; k < 4; ++k) {
    double angle = k * std::numbers::pi / 2.0;
    while (angle < arc.startAngle) angle += 2.0 * std::numbers::pi;
    if (angle > arc.endAngle) continue;
    point.snapModes = kOsnapQuadrant;
    point.point = {arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)};
    TransformPoint(matrix, point.point);
    if (!AppendSegment(segments, point)) return;
  }
}
