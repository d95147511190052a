#pragma once

#include <optional>
#include <string>

#include "core/point2d.h"

// A picked object reduced to what tangents need, with the world point it
// was picked at: which of the possible tangents is meant follows from the
// side of each object that was picked.
struct TangentShape {
  bool isCircle = false;
  // A circle (an arc counts as its whole circle).
  FcPoint2d centre;
  double radius = 0.0;
  // A line, taken without ends.
  FcPoint2d first;
  FcPoint2d second;
  FcPoint2d pick;
};

struct TangentLine {
  FcPoint2d first;
  FcPoint2d second;
};

// The line touching both circles: the outer one on the picked side when
// both were picked on the same side of the line through the centres, else
// the one crossing between them. Without one, message says why.
std::optional<TangentLine> CommonTangentLine(const TangentShape& a, const TangentShape& b, std::string& message);

// The centre of the circle of the radius touching both shapes near their
// picks. Without one, message says why, or stays empty where nothing is
// said (parallel lines).
std::optional<FcPoint2d> TangentCircleCentre(const TangentShape& a, const TangentShape& b, double radius,
                                             std::string& message);
