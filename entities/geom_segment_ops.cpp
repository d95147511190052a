#include "entities/geom_segment_ops.h"

#include <cmath>
#include <memory>
#include <new>
#include <utility>

#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "entities/entity_math.h"

// The values the snap settings and files know these tags by.
static_assert(kSnapTagBoundedLine == 675 && kSnapTagUnboundedLine == 672);
static_assert(kSnapTagArc == 951 && kSnapTagCircle == 948 && kSnapTagCurve == 288);

namespace {

// The direction of the image of the radius vector at the angle. The
// vector is long enough that the image's direction does not suffer from
// rounding in a matrix with small terms.
double MappedAngle(double angle, const FcMatrix2d& m) {
  const double x = 100.0 * std::cos(angle);
  const double y = 100.0 * std::sin(angle);
  return std::atan2(m.d * x + m.e * y, m.a * x + m.b * y);
}

}  // namespace

bool AppendSegment(GeomSegmentList& segments, const GeomSegment& record) {
  std::unique_ptr<GeomSegment> copy(new (std::nothrow) GeomSegment(record));
  if (copy == nullptr) return false;
  segments.push_back(std::move(copy));
  return true;
}

void AppendChordSegments(const PolylineVertex* vertices, int count, bool closed, const FcMatrix2d& matrix,
                         GeomSegmentList& segments) {
  for (int i = 0; i + 1 < count; ++i) {
    const FcPoint2d a{vertices[i].x, vertices[i].y};
    const FcPoint2d b{vertices[i + 1].x, vertices[i + 1].y};
    if (!AppendLineSegment(segments, a, b, kLineExtentSegment, kSnapTagBoundary, matrix)) return;
  }
  if (!closed || count < 2) return;
  const FcPoint2d last{vertices[count - 1].x, vertices[count - 1].y};
  const FcPoint2d first{vertices[0].x, vertices[0].y};
  if (last != first) AppendLineSegment(segments, last, first, kLineExtentSegment, kSnapTagBoundary, matrix);
}

bool AppendLineSegment(GeomSegmentList& segments, const FcPoint2d& start, const FcPoint2d& end,
                       int extent, int snapModes, const FcMatrix2d& matrix) {
  GeomSegment record;
  record.type = kGeomSegmentLine;
  record.snapModes = snapModes;
  record.first = start;
  record.second = end;
  record.extent = extent;
  TransformPoint(matrix, record.first);
  TransformPoint(matrix, record.second);
  return AppendSegment(segments, record);
}

void TransformArcSegment(GeomSegment& arc, const FcMatrix2d& matrix) {
  // Mapping both ends of a full turn gives one direction twice, which
  // would read as an arc of no sweep.
  const bool fullTurn = arc.endAngle - arc.startAngle >= kTwoPi - kTolerance;
  TransformPoint(matrix, arc.centre);
  arc.radius *= std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
  double start = MappedAngle(arc.startAngle, matrix);
  double end = MappedAngle(arc.endAngle, matrix);
  if (IsMirroringMatrix(matrix)) std::swap(start, end);
  NormalizeAngle(start);
  NormalizeAngle(end);
  if (fullTurn) {
    end = start + kTwoPi;
  } else {
    RaiseAngleTo(end, start);
  }
  arc.startAngle = start;
  arc.endAngle = end;
}
