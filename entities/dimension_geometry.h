#pragma once

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "core/point_ops.h"
#include "database/record_points.h"

class FcDimension;

inline const double kDimDegreesPerRadian = 180.0 / kPi;

inline FcPoint2d Dir(double angle) { return {std::cos(angle), std::sin(angle)}; }

// Sizes beyond this are taken for garbage from a file: a dimension with
// them draws without that part rather than with unbounded geometry.
inline constexpr double kLargestDimSize = 1e12;

// The size, or 0 when it is not finite or beyond kLargestDimSize.
inline double SaneDimSize(double value) {
  return std::isfinite(value) && std::fabs(value) <= kLargestDimSize ? value : 0.0;
}

inline double NormalAngle(double angle) {
  NormalizeAngle(angle);
  return angle;
}

// The direction of the vector along the angle after the matrix's linear
// part, not normalised.
double TransformedAngle(const FcMatrix2d& matrix, double angle);

// The listing lines of the linear kinds after their type line: both
// extension origins, the dimension line point, the text and the style.
void ListLinearPoints(FcDimension& dimension);
// One "label X=..  Y=.." line.
void ListDimPoint(const char* label, const FcPoint2d& point, const FcDimension& dimension);
