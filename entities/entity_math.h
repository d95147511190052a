#pragma once

#include <cmath>

#include "core/matrix2d.h"
#include "core/point2d.h"

// Scales v to length 1; a vector without a positive squared length stays.
inline void NormalizeVector(FcPoint2d& v) {
  const double squared = v.x * v.x + v.y * v.y;
  if (!(squared > 0.0)) return;
  const double length = std::sqrt(squared);
  v.x /= length;
  v.y /= length;
}

// True when the matrix turns the drawing over (a mirror, or a scale with
// one negative factor). The determinant's sign, not the diagonal's: a
// mirror about a diagonal line has nothing on its diagonal.
inline bool IsMirroringMatrix(const FcMatrix2d& m) { return m.a * m.e - m.b * m.d < 0.0; }

// True when the matrix maps every circle onto a circle: one scale in every
// direction, with any turn and mirror.
inline bool KeepsCircles(const FcMatrix2d& m) {
  const double x = m.a * m.a + m.d * m.d;
  const double y = m.b * m.b + m.e * m.e;
  const double tolerance = 1e-9 * (x + y);
  return std::fabs(x - y) <= tolerance && std::fabs(m.a * m.b + m.d * m.e) <= tolerance;
}
