#include "entities/dimension_geometry.h"

#include <cmath>
#include <string>

#include "entities/dimension.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"

double TransformedAngle(const FcMatrix2d& matrix, double angle) {
  const FcPoint2d u = Dir(angle);
  return std::atan2(matrix.d * u.x + matrix.e * u.y, matrix.a * u.x + matrix.b * u.y);
}

void ListDimPoint(const char* label, const FcPoint2d& point, const FcDimension& dimension) {
  const FormattedPoint text = FormatPoint(point, OwnerGraphOf(dimension));
  PrintMessage(std::string(label) + " X=" + text.x + "  Y=" + text.y);
}

void ListLinearPoints(FcDimension& dimension) {
  ListDimPoint("1st extension  defining point:", dimension.GetDefPoint13(), dimension);
  ListDimPoint("2nd extension  defining point:", dimension.GetDefPoint14(), dimension);
  ListDimPoint("dimension line defining point:", dimension.GetDefPoint10(), dimension);
  dimension.ListTextAndStyle();
}
