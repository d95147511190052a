#include "entities/point_segment.h"

#include "entities/geom_segment_ops.h"

bool AppendPointSegment(GeomSegmentList& segments, const FcPoint2d& point, int snapModes,
                        const FcMatrix2d& matrix) {
  GeomSegment record;
  record.type = kGeomSegmentPoint;
  record.snapModes = snapModes;
  record.point = point;
  TransformPoint(matrix, record.point);
  return AppendSegment(segments, record);
}
