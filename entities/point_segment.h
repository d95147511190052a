#pragma once

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/entity.h"

// Appends a point record at the point mapped by the matrix, answering the
// snap modes; false when it cannot be allocated.
bool AppendPointSegment(GeomSegmentList& segments, const FcPoint2d& point, int snapModes,
                        const FcMatrix2d& matrix);
